#include "wizard/form5.h"

#include "app/art.h"
#include "app/atomicfile.h"
#include "app/fieldfilter.h"
#include "app/guard.h"
#include "app/look.h"
#include "app/pathlabel.h"
#include "app/prompts.h"
#include "app/qtext.h"
#include "app/settings.h"
#include "app/svgpicture.h"
#include "comments/bewerkcommentaar.h"
#include "i18n/taalkeus.h"
#include "layeredit/layeredit.h"
#include "layeredit/templatestore.h"
#include "wizard/layerfile.h"
#include "wizard/layerfilereader.h"
#include "wizard/layersection.h"
#include "wizard/layersheet.h"
#include "wizard/layertree.h"
#include "wizard/paths.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kobalin {

namespace {

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

}  // namespace

TForm5::TForm5(RunData& run, QWidget* parent) : QWidget(parent), run_(run)
{
    setObjectName("Form5");
    setWindowTitle("Kobalin");
    useFont(this, 13);

    // Banner.
    Panel1 = named(new QFrame(this), "Panel1");
    Panel1->setFixedHeight(66);
    Panel1->setAutoFillBackground(true);
    Panel1->setBackgroundRole(QPalette::Highlight);
    auto* banner = named(new QLabel("Layer file", Panel1), "Panel1Caption");
    banner->setFont(tahoma(27, true));
    banner->setForegroundRole(QPalette::HighlightedText);
    Label7 = named(new QLabel("1.0.3", Panel1), "Label7");
    Label7->setForegroundRole(QPalette::HighlightedText);
    // The caption centred over the whole banner, the version in its corner.
    auto* bannerLayout = new QGridLayout(Panel1);
    bannerLayout->setContentsMargins(16, 4, 16, 4);
    bannerLayout->addWidget(banner, 0, 0, Qt::AlignCenter);
    bannerLayout->addWidget(Label7, 0, 0, Qt::AlignRight | Qt::AlignBottom);

    // Picture column: one picture at a time, stretched to fill it.
    Panel3 = named(new QFrame(this), "Panel3");
    Panel3->setFixedWidth(250);
    auto* pictures = new QVBoxLayout(Panel3);
    pictures->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 5; ++i) {
        images[i] = new SvgPicture(QString(":/steps/step%1.svg").arg(i + 1), Panel3);
        images[i]->setObjectName(QString("Image%1").arg(i + 1));
        images[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        images[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        images[i]->setVisible(i == 0);
        pictures->addWidget(images[i]);
    }

    // The step's own controls.
    auto* content = named(new QWidget(this), "content");
    Label1 = named(new QLabel(content), "Label1");
    Label1->setFont(tahoma(19, true));
    Label1->setWordWrap(true);
    Label2 = named(new QLabel(content), "Label2");
    Label2->setFont(tahoma(16, true));
    Label2->setWordWrap(true);
    Label3 = named(new QLabel(content), "Label3");
    Edit1 = named(new QLineEdit(content), "Edit1");
    useFontWhenShown(Edit1, 15);
    Edit1->setReadOnly(true);
    Edit1->setMinimumSize(453, 26);
    Edit1->hide();
    BitBtn4 = named(new QPushButton(content), "BitBtn4");
    BitBtn4->setIcon(artIcon(":/glyphs/open.svg"));
    BitBtn4->setIconSize(QSize(24, 24));
    BitBtn4->setMinimumHeight(38);
    BitBtn4->hide();
    Edit2 = named(new QLineEdit(qs(kEmptyComment), content), "Edit2");
    useFontWhenShown(Edit2, 13, true);
    Edit2->setMaxLength(25);
    Edit2->setMinimumSize(453, 26);
    Edit2->setValidator(new FieldFilter(Edit2));
    Edit2->hide();
    BitBtn2 = named(new QPushButton(content), "BitBtn2");
    const QIcon plus = artIcon(":/glyphs/plus.svg");
    BitBtn2->setIcon(plus);
    BitBtn2->setIconSize(QSize(32, 32));
    BitBtn2->setFixedSize(36, 38);
    BitBtn2->hide();
    BitBtn3 = named(new QPushButton(content), "BitBtn3");
    BitBtn3->setFont(tahoma(15));
    BitBtn3->setIcon(plus);
    BitBtn3->setIconSize(QSize(32, 32));
    BitBtn3->setMinimumSize(179, 64);
    BitBtn3->hide();
    CheckBox1 = named(new QCheckBox(content), "CheckBox1");
    Label4 = named(new QLabel("Folder:", content), "Label4");
    Label22 = named(new QLabel("Reference file", content), "Label22");
    Label5 = named(new QLabel("Layer file:", content), "Label5");
    Label6 = named(new PathLabel("#", content), "Label6");
    Label23 = named(new PathLabel("#", content), "Label23");
    Label9 = named(new PathLabel("#", content), "Label9");
    Section1 = named(new LayerSection(content), "Section1");
    Section1->hide();
    // Step 5's written file in a box of its own: before step 5 the drawing has the whole width.
    writtenBox_ = new QWidget(content);
    writtenBox_->hide();
    Label10 = named(new PathLabel(writtenBox_), "Label10");
    Memo1 = named(new QPlainTextEdit(writtenBox_), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setMinimumSize(60, 40);
    Memo1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);  // as the drawing beside it
    BitBtn5 = named(new QPushButton(writtenBox_), "BitBtn5");
    BitBtn5->setMinimumHeight(32);

    auto* titles = new QVBoxLayout;
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(10);
    titles->addWidget(Label1);
    titles->addWidget(Label2);
    titles->addStretch();
    auto* titleBlock = new QWidget(content);
    titleBlock->setLayout(titles);
    titleBlock->setMinimumHeight(150);  // the step's fields begin at the same height on every step
    auto* commentRow = new QHBoxLayout;
    commentRow->addWidget(Edit2);
    commentRow->addSpacing(24);
    commentRow->addWidget(BitBtn2);
    commentRow->addStretch();
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(Edit1);
    fileRow->addStretch();
    auto* openRow = new QHBoxLayout;
    openRow->addWidget(BitBtn4);
    openRow->addStretch();
    auto* choice = new QGridLayout;
    choice->setHorizontalSpacing(12);
    choice->addWidget(Label4, 0, 0);
    choice->addWidget(Label6, 0, 1);
    choice->addWidget(Label22, 1, 0);
    choice->addWidget(Label23, 1, 1);
    choice->addWidget(Label5, 2, 0);
    choice->addWidget(Label9, 2, 1);
    choice->setColumnStretch(1, 1);
    // The room the step's fields leave: the cross-section, and at step 5 the file.
    auto* written = new QVBoxLayout(writtenBox_);
    written->setContentsMargins(0, 0, 0, 0);
    written->setSpacing(4);
    written->addWidget(Label10);
    written->addWidget(Memo1, 1);
    written->addWidget(BitBtn5, 0, Qt::AlignLeft);
    auto* freeRow = new QHBoxLayout;
    freeRow->setSpacing(16);
    freeRow->addWidget(Section1, 1);
    freeRow->addWidget(writtenBox_, 1);

    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(26, 16, 26, 12);
    contentLayout->addWidget(titleBlock);
    contentLayout->addLayout(fileRow);
    contentLayout->addLayout(openRow);
    contentLayout->addLayout(commentRow);
    contentLayout->addSpacing(8);
    contentLayout->addWidget(BitBtn3, 0, Qt::AlignHCenter);
    contentLayout->addSpacing(8);
    contentLayout->addLayout(freeRow, 1);
    contentLayout->addStretch();
    contentLayout->addLayout(choice);
    contentLayout->addSpacing(6);
    contentLayout->addWidget(CheckBox1);
    contentLayout->addSpacing(6);
    contentLayout->addWidget(Label3);

    // The layer tree.
    TreeView1 = named(new LayerTree(this), "TreeView1");
    Boompopup = named(new QMenu(this), "Boompopup");
    // The menu's images are loaded when first needed, not at start.
    edit3 = named(Boompopup->addAction(QString()), "edit3");
    edit4 = named(Boompopup->addAction(QString()), "edit4");
    Boompopup->addSeparator()->setObjectName("N1");
    emplate1 = named(Boompopup->addAction(QString()), "emplate1");
    emplate1->setEnabled(false);

    // Between banner and button bar, the part that scrolls on a screen too small for it.
    auto* steps = named(new QWidget(this), "steps");
    auto* middle = new QHBoxLayout(steps);
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(Panel3);
    middle->addWidget(content, 1);
    middle->addWidget(TreeView1);

    // Button bar.
    Panel2 = named(new QFrame(this), "Panel2");
    Panel2->setFixedHeight(82);
    BitBtn1 = named(new QPushButton(Panel2), "BitBtn1");
    BitBtn1->setIcon(artIcon(":/glyphs/gear.svg"));
    BitBtn1->setIconSize(QSize(28, 28));
    BitBtn1->setFixedSize(44, 38);
    BitBtn1->setAccessibleName("Language");
    Button5 = named(new QPushButton(Panel2), "Button5");
    Button3 = named(new QPushButton(Panel2), "Button3");
    Button4 = named(new QPushButton(Panel2), "Button4");
    for (QPushButton* b : {Button5, Button3, Button4})
        b->setMinimumSize(110, 32);
    actie = named(new QPushButton(Panel2), "actie");
    actie->hide();
    auto* bar = new QHBoxLayout(Panel2);
    bar->setContentsMargins(25, 0, 25, 0);
    bar->addWidget(BitBtn1);
    bar->addStretch();
    bar->addWidget(Button5);
    bar->addWidget(Button3);
    bar->addSpacing(24);
    bar->addWidget(Button4);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(Panel1);
    root->addWidget(named(new FittingArea(steps, this), "stepsArea"), 1);
    root->addWidget(Panel2);
    allowShrinking(this);

    setTabOrder(Edit1, BitBtn4);
    setTabOrder(BitBtn4, Edit2);
    setTabOrder(Edit2, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    setTabOrder(BitBtn3, Memo1);
    setTabOrder(Memo1, BitBtn5);
    setTabOrder(BitBtn5, CheckBox1);
    setTabOrder(CheckBox1, TreeView1);
    setTabOrder(TreeView1, BitBtn1);
    setTabOrder(BitBtn1, Button5);
    setTabOrder(Button5, Button3);
    setTabOrder(Button3, Button4);

    onEvent(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
    onEvent(Button5, &QPushButton::clicked, this, &TForm5::Button5Click);
    onEvent(Button4, &QPushButton::clicked, this, &TForm5::Button4Click);
    onEvent(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
    onEvent(actie, &QPushButton::clicked, this, &TForm5::actieClick);
    onEvent(BitBtn3, &QPushButton::clicked, this, &TForm5::BitBtn3Click);
    onEvent(BitBtn4, &QPushButton::clicked, this, &TForm5::BitBtn4Click);
    onEvent(BitBtn2, &QPushButton::clicked, this, &TForm5::BitBtn2Click);
    onEvent(BitBtn5, &QPushButton::clicked, this, &TForm5::BitBtn5Click);
    onEvent(CheckBox1, &QCheckBox::toggled, this, &TForm5::CheckBox1Click);
    onClick(Panel3, this, &TForm5::Panel3Click);
    onClick(Edit1, this, &TForm5::Edit1Click, Activation::MouseOrKeyboard);
    onClick(Edit2, this, &TForm5::Edit2Click);
    onEvent(TreeView1, &QTreeWidget::clicked, this, &TForm5::BoompopupPopup);
    onEvent(TreeView1, &QTreeWidget::doubleClicked, this, &TForm5::BoompopupPopup);
    // A right click, the menu key or Shift+F10.
    connect(TreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) { showTreeMenu(pos); });
    onEvent(edit3, &QAction::triggered, this, &TForm5::edit3Click);
    onEvent(edit4, &QAction::triggered, this, &TForm5::edit4Click);
    onEvent(emplate1, &QAction::triggered, this, &TForm5::emplate1Click);

    resize(1184, 661);
}

void TForm5::setDialogs(Ttaalkeus* taalkeus, TBewerkcommentaar* bewerkcommentaar, TLayeredit* layeredit)
{
    taalkeus_ = taalkeus;
    bewerkcommentaar_ = bewerkcommentaar;
    layeredit_ = layeredit;
}

QString TForm5::text(int k) const { return catalogue(run_.taal, k); }

void TForm5::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!activated_) {
        // Sized once: a size the user gives the window stays across the steps.
        fitWindow(this, QSize(1184, 661));
        activateWindow();
        // A desktop that prevents focus stealing may never activate the new
        // window; it must not stay without its texts until clicked.
        QTimer::singleShot(kActivationWait, this, [this] { initialiseOnce(); });
    }
}

void TForm5::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The initialisation runs once the window is on screen and active, so that
    // the language dialog it may open has a window to belong to and centre on.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        initialiseOnce();
}

void TForm5::initialiseOnce()
{
    if (activated_)
        return;
    activated_ = true;
    // Queued: a modal dialog must not open in the middle of the activation.
    QMetaObject::invokeMethod(this, [this] { guarded(this, [this] { FormActivate(); }); }, Qt::QueuedConnection);
}

void TForm5::FormActivate()
{
    run_.pagina = 1;
    Button5->setEnabled(false);

    {
        auto key = openSettingsKey(kSettingsKey);
        const auto taal = key->readInteger(u"taal");
        if (taal)
            run_.taal = *taal;
        const auto koppel = taal ? key->readInteger(u"koppel") : std::nullopt;
        if (taal && koppel) {
            run_.koppel = *koppel;
        } else {
            prompts().exec(*taalkeus_);
            run_.taal = kEnglish;
            run_.koppel = 0;
        }
        // A store that cannot be written is reported, but must not leave the
        // window without its texts.
        guarded(this, [&] {
            key->writeInteger(u"koppel", run_.koppel);
            key->close();
        });
    }

    Label1->setText(text(13));
    Label2->setText(text(14));
    Button3->setText(text(2));
    Button4->setText(text(1));
    Button5->setText(text(3));
    Label3->setText(text(15));
    CheckBox1->setChecked(run_.koppel != 0);
    CheckBox1->setText(text(51));
    Edit1->setText(text(18));
    TreeView1->clear();
    run_.commentaar1 = run_.commentaar2 = run_.commentaar3 = kEmptyComment;
    edit3->setText(text(23));
    edit4->setText(text(24));
    emplate1->setText(text(25));
    BitBtn3->setText(text(37));
    BitBtn4->setText(text(54));
    BitBtn5->setText(text(82));
    Memo1->setAccessibleName(text(87).trimmed());
    TreeView1->setToolTip(text(49));
    // For screen readers: the fields and the picture-only plus button.
    Edit1->setAccessibleName(text(16));
    Edit2->setAccessibleName(text(21));
    BitBtn2->setAccessibleName(text(21));
    BitBtn4->setAccessibleName(text(54));
}

void TForm5::Button3Click()
{
    ++run_.pagina;
    if (run_.pagina == 5)
        Button3->setEnabled(false);
    if (run_.pagina == 2)
        Button5->setEnabled(true);
    showRandomPicture();
    actieClick();
}

void TForm5::Button5Click()
{
    --run_.pagina;
    Button3->setEnabled(true);
    if (run_.pagina == 1)
        Button5->setEnabled(false);
    actieClick();
}

void TForm5::Button4Click() { close(); }

void TForm5::BitBtn1Click() { prompts().exec(*taalkeus_); }

void TForm5::Panel3Click() { showRandomPicture(); }

void TForm5::showRandomPicture()
{
    const int shown = std::uniform_int_distribution<int>(0, 4)(random_);
    for (int i = 0; i < 5; ++i)
        images[i]->setVisible(i == shown);
}

void TForm5::actieClick()
{
    hideOtherSteps();
    TreeView1->clear();
    if (!applyStep())
        return;  // the tree stays empty until the next refresh
    if (run_.lagen >= 2) {
        sortLayers(run_);
        if (countEqualOffsets(run_) > 0)
            prompts().error(this, text(52));
    }
    if (run_.pagina >= 3) {
        TreeView1->showRun(run_, run_.taal);
        Section1->showTable(run_, run_.taal);
        Section1->show();
    }
}

void TForm5::hideOtherSteps()
{
    // Only what the step does not show is hidden: hiding a control and
    // showing it again costs a relayout and a repaint at every refresh.
    const int step = run_.pagina;
    if (step != 2) {
        Edit1->hide();
        BitBtn4->hide();
    }
    if (step != 3) {
        Edit2->hide();
        BitBtn2->hide();
    }
    // Hidden while the layer editor opens on an empty table.
    if (step != 4 || run_.lagen <= 0)
        BitBtn3->hide();
    if (step < 3)
        Section1->hide();
    if (step != 5)
        writtenBox_->hide();
}

bool TForm5::applyStep()
{
    switch (run_.pagina) {
    case 1:
        Label1->setText(text(13));
        Label2->setText(text(14));
        break;
    case 2:
        Label1->setText(text(16));
        Label2->setText(text(17));
        Edit1->show();
        BitBtn4->show();
        Button3->setEnabled(false);
        break;
    case 3:
        Label1->setText(text(21));
        Label2->setText(text(22));
        Edit2->show();
        BitBtn2->show();
        break;
    case 4:
        Label1->setText(text(19));
        Label2->setText(text(20));
        Button3->setEnabled(false);
        if (run_.lagen <= 0)
            openLayerEditorToAdd();
        if (run_.lagen >= 2)
            Button3->setEnabled(true);
        // The table is full at kMaxLayers layers.
        BitBtn3->setEnabled(run_.lagen < kMaxLayers);
        BitBtn3->show();
        break;
    case 5:
        Label1->setText(text(38));
        Label2->setText(text(39));
        Button3->setEnabled(false);
        Button4->setText(text(40));
        if (!writeLayerFile()) {
            // Nothing was written: nothing to show, nothing to print.
            Section1->hide();
            writtenBox_->hide();
            Memo1->clear();
            return false;
        }
        break;
    }
    return true;
}

bool TForm5::writeLayerFile()
{
    const LayerFileResult result = kobalin::writeLayerFile(run_, CheckBox1->isChecked());
    writtenPath_.clear();
    if (!result.written) {
        prompts().error(this, text(41) + qs(result.path));
        return false;
    }
    writtenPath_ = result.path;
    showWrittenFile();
    prompts().info(this, text(42) + qs(result.path));
    return true;
}

void TForm5::showWrittenFile()
{
    // What is on disk, byte for byte as the machine will read it, not the
    // table formatted again.
    Memo1->setFont(fixedFont(12));
    Memo1->setPlainText(qs(layerFileText(readPlainFile(nativePath(writtenPath_)).value_or(std::string()))));
    Label10->setText(qs(writtenPath_));
    writtenBox_->show();
}

void TForm5::BitBtn5Click()
{
    if (writtenPath_.empty())
        return;
    const auto chosen = prompts().saveFile(this, qs(ChangeFileExt(writtenPath_, u".pdf")), {"PDF (*.pdf)"});
    if (!chosen)
        return;
    const QString path = QDir::toNativeSeparators(*chosen);
    const QByteArray pdf = layerSheetPdf(run_, run_.taal, Edit1->text(), qs(writtenPath_),
                                         QDate::currentDate().toString(Qt::ISODate));
    try {
        replaceFileAtomically(nativePath(us(path)),
                              std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    } catch (const FileWriteError&) {
        prompts().error(this, text(83) + path);
        return;
    }
    prompts().info(this, text(84) + path);
}

void TForm5::Edit1Click()
{
    auto key = openSettingsKey(kSettingsKey);
    const std::u16string initdir = key->readString(u"initdir").value_or(std::u16string());
    const auto chosen = prompts().openFile(this, qs(initdir), {"*.xml", "*.lin"});
    // A cancelled dialog keeps the choice made before.
    if (!chosen)
        return;
    const std::u16string path = us(QDir::toNativeSeparators(*chosen));
    Edit1->setText(qs(path));
    key->writeString(u"meetfile", ChangeFileExt(path, u".xml_layer.csv"));
    key->writeString(u"initdir", ExtractFileDir(path));
    key->close();
    Label6->setText(qs(ExtractFileDir(path)));
    Label23->setText(qs(ExtractFileName(path)));
    run_.kalenaam = ChangeFileExt(ExtractFileName(path), u".xml_layer.csv");
    Label9->setText(qs(run_.kalenaam));
    if (!CheckBox1->isChecked())
        Label9->setText("_layer.csv");
    Button3->setEnabled(true);
}

void TForm5::BitBtn4Click()
{
    if (holdsEntries(run_) && !prompts().question(this, text(57), text(59), text(60)))
        return;
    const LayerFileToOpen start = layerFileToOpen(CheckBox1->isChecked());
    const auto chosen = prompts().openFile(this, qs(start.folder), {text(61), text(62)}, qs(start.existing));
    if (!chosen)
        return;
    const QString path = QDir::toNativeSeparators(*chosen);
    const std::optional<std::string> bytes = readPlainFile(nativePath(us(path)));
    if (!bytes) {
        prompts().error(this, text(58) + path);
        return;
    }
    const LayerFileReading reading = readLayerFile(*bytes);
    if (reading.errorLine > 0) {
        prompts().error(this, qs(refusalMessage(reading, run_.taal)));
        return;
    }
    replaceEntries(run_, reading);
    BitBtn2->setEnabled(run_.commentaar < 3);
    if (reading.nameCut)
        prompts().error(this, text(53));
    // The refresh of step 2 disables Next until a model is chosen; a model
    // chosen before the file was opened stays chosen.
    const bool nextEnabled = Button3->isEnabled();
    actieClick();
    if (run_.pagina == 2)
        Button3->setEnabled(nextEnabled);
    const std::u16string notes = readingNotes(reading, run_.taal);
    prompts().info(this, text(55) + path + (notes.empty() ? QString() : "\n\n" + qs(notes)));
}

void TForm5::CheckBox1Click()
{
    if (run_.pagina < 2)
        return;
    Label9->setText(CheckBox1->isChecked() ? qs(run_.kalenaam) : QString("_layer.csv"));
}

void TForm5::BitBtn3Click()
{
    openLayerEditorToAdd();
    actieClick();
}

void TForm5::openLayerEditorToAdd()
{
    layeredit_->taalbasis = run_.taal;
    layeredit_->laagindex = run_.lagen;
    layeredit_->modus = 0;
    prompts().exec(*layeredit_);
    run_.lagen = layeredit_->laagindex;
}

int TForm5::absoluteIndex(const QTreeWidgetItem* node) const { return TreeView1->absoluteIndex(node); }

int TForm5::selectedNode()
{
    const int node = TreeView1->selectedNode();
    if (node < 0)
        prompts().error(this, text(43));
    return node;
}

void TForm5::showTreeMenu(const QPoint& pos)
{
    if (edit3->icon().isNull()) {
        edit3->setIcon(artIcon(":/menu/edit.svg"));
        edit4->setIcon(artIcon(":/menu/remove.svg"));
        emplate1->setIcon(artIcon(":/menu/template.svg"));
    }
    guarded(this, [this] { BoompopupPopup(); });
    // The menu opens with the middle of its top edge at the pointer.
    Boompopup->popup(TreeView1->viewport()->mapToGlobal(pos) - QPoint(Boompopup->sizeHint().width() / 2, 0));
}

void TForm5::BoompopupPopup()
{
    emplate1->setEnabled(false);
    if (nodeSource(TreeView1->selectedNode()).layer >= 0)
        emplate1->setEnabled(true);
}

void TForm5::edit4Click()
{
    const int p = selectedNode();
    if (p < 0)
        return;
    deleteNode(run_, p);
    actieClick();
}

void TForm5::edit3Click()
{
    const NodeSource source = nodeSource(selectedNode());
    if (source.comment > 0) {
        std::u16string& line = run_.comment(source.comment);
        bewerkcommentaar_->Edit1->setText(qs(line));
        bewerkcommentaar_->taalbasis = run_.taal;
        prompts().exec(*bewerkcommentaar_);
        // Every way of closing the editor keeps the edit.
        line = us(bewerkcommentaar_->Edit1->text());
    } else if (source.layer >= 0 && source.layer < run_.lagen) {
        layeredit_->showLayer(run_.layers[source.layer]);
        layeredit_->taalbasis = run_.taal;
        layeredit_->modus = 100;
        layeredit_->laagindex = source.layer;
        prompts().exec(*layeredit_);
    } else {
        return;  // nothing selected, or beyond the table
    }
    actieClick();
}

void TForm5::emplate1Click()
{
    const int k = nodeSource(selectedNode()).layer;
    if (k < 0 || k >= run_.lagen)
        return;
    if (!addTemplate(templateOf(run_.layers[k]))) {
        prompts().error(this, text(44));
        return;
    }
    prompts().info(this, text(45) + qs(run_.layers[k].Name));
}

void TForm5::Edit2Click() { Edit2->clear(); }

void TForm5::BitBtn2Click()
{
    const int n = run_.commentaar;
    if (n < 3)
        run_.comment(n + 1) = us(Edit2->text());
    Edit2->clear();
    run_.commentaar = n + 1;
    if (run_.commentaar >= 3)
        BitBtn2->setEnabled(false);
    actieClick();
}

}  // namespace kobalin
