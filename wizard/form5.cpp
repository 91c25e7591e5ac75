#include "wizard/form5.h"

#include "app/art.h"
#include "app/atomicfile.h"
#include "app/guard.h"
#include "app/look.h"
#include "app/prompts.h"
#include "app/qtext.h"
#include "app/qttranslations.h"
#include "app/settings.h"
#include "app/svgpicture.h"
#include "comments/bewerkcommentaar.h"
#include "i18n/messages.h"
#include "i18n/taalkeus.h"
#include "layeredit/layeredit.h"
#include "layeredit/templatestore.h"
#include "wizard/layerfile.h"
#include "wizard/layerfilereader.h"
#include "wizard/layersection.h"
#include "wizard/layersheet.h"
#include "wizard/layertable.h"
#include "wizard/layertree.h"
#include "wizard/openlayerfile.h"
#include "wizard/paths.h"
#include "wizard/replacedfiles.h"
#include "wizard/rundata.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>

#include <chrono>
#include <utility>

namespace kobalin {

namespace {

// The system's own words for a failed write, on a line of their own below
// the program's sentence.
QString withReason(const std::string& reason) { return reason.empty() ? QString() : "\n" + QString::fromStdString(reason); }

}  // namespace

QString TForm5::text(int k) const { return catalogue(run_.taal, k); }

void TForm5::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (std::exchange(shown_, true))
        return;
    // The initialisation waits for the window to be active, so that the
    // language dialog it may open has a window to belong to and centre on;
    // but a desktop that prevents focus stealing may never activate the new
    // window, and it must not stay without its texts until clicked.
    start_->start(std::chrono::milliseconds(500));
    // Sized once: a size the user gives the window stays across the steps.
    fitWindow(this, QSize(1184, 661));
    activateWindow();
}

void TForm5::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Active: no need to wait longer. Still from the event loop, as a modal
    // dialog must not open in the middle of the activation.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && start_->isActive())
        start_->start(0);
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
        setRunLanguage(run_.taal);
        loadQtTranslations(run_.taal);
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
    BitBtn6->setText(text(111));
    BitBtn4->setText(text(54));
    BitBtn5->setText(text(82));
    Memo1->setAccessibleName(text(87).trimmed());
    TreeView1->setToolTip(text(49));
    // For screen readers: the fields and the picture-only plus button.
    Edit1->setAccessibleName(text(16));
    Edit2->setAccessibleName(text(21));
    BitBtn2->setAccessibleName(text(21));
    BitBtn4->setAccessibleName(text(54));
    startKeeping();
    offerKeptRun();
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
    keepRun();  // step 4 may have added a layer
}

void TForm5::Button5Click()
{
    --run_.pagina;
    Button3->setEnabled(true);
    if (run_.pagina == 1)
        Button5->setEnabled(false);
    actieClick();
    keepRun();
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
    if (step != 4 || run_.lagen <= 0) {
        BitBtn3->hide();
        BitBtn6->hide();
    }
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
        Button3->setEnabled(modelRestored_);
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
        BitBtn6->show();
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
    const LayerFileResult result = kobalin::writeLayerFile(run_, CheckBox1->isChecked(), ownLayerFiles());
    writtenPath_.clear();
    if (!result.written) {
        prompts().error(this, text(41) + qs(result.path) + withReason(result.reason));
        return false;
    }
    writtenPath_ = result.path;
    runWritten();
    showWrittenFile();
    prompts().info(this, text(42) + qs(result.path) + replacedNote(result));
    return true;
}

void TForm5::showWrittenFile()
{
    // What is on disk, byte for byte as the machine will read it, not the
    // table formatted again.
    Memo1->setFont(fixedFont(12));
    // Six lines of the file at least, and the scroll bar under them: the step
    // scrolls rather than squeeze them.
    const int margins = 2 * (static_cast<int>(Memo1->document()->documentMargin()) + Memo1->frameWidth());
    Memo1->setMinimumHeight(6 * Memo1->fontMetrics().lineSpacing() + margins +
                            Memo1->horizontalScrollBar()->sizeHint().height());
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
        replaceFileAtomically(nativePath(us(path)), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    } catch (const FileWriteError& e) {
        prompts().error(this, text(83) + path + withReason(e.reason()));
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
    showModel(path);
    Button3->setEnabled(true);
    keepRun();
}

void TForm5::showModel(const std::u16string& path)
{
    Edit1->setText(qs(path));
    Label6->setText(qs(ExtractFileDir(path)));
    Label23->setText(qs(ExtractFileName(path)));
    run_.model = path;
    run_.kalenaam = ChangeFileExt(ExtractFileName(path), u".xml_layer.csv");
    Label9->setText(CheckBox1->isChecked() ? qs(run_.kalenaam) : QString("_layer.csv"));
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
    const auto opened = openLayerFile(this, path, run_.taal);
    if (!opened)
        return;
    const LayerFileReading& reading = opened->reading;
    replaceEntries(run_, reading);
    if (OwnLayerFiles* own = ownLayerFiles())
        own->add(opened->bytes);
    BitBtn2->setEnabled(run_.commentaar < 3);
    if (reading.nameCut)
        prompts().error(this, text(53));
    // The refresh of step 2 disables Next until a model is chosen; a model
    // chosen before the file was opened stays chosen.
    const bool nextEnabled = Button3->isEnabled();
    actieClick();
    if (run_.pagina == 2)
        Button3->setEnabled(nextEnabled);
    keepRun();
    const std::u16string notes = readingNotes(reading, run_.taal);
    prompts().info(this, text(55) + path + (notes.empty() ? QString() : "\n\n" + qs(notes)));
}

void TForm5::CheckBox1Click()
{
    keepRun();
    if (run_.pagina < 2)
        return;
    Label9->setText(CheckBox1->isChecked() ? qs(run_.kalenaam) : QString("_layer.csv"));
}

void TForm5::BitBtn3Click()
{
    openLayerEditorToAdd();
    actieClick();
    keepRun();
}

void TForm5::BitBtn6Click()
{
    if (!layerTable_)
        layerTable_ = new TLayerTable(run_, this);
    layerTable_->taalbasis = run_.taal;
    // Its OK has put the rows in place of the layers; anything else changed nothing.
    if (prompts().exec(*layerTable_) == QDialog::Accepted)
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
    keepRun();
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
    keepRun();
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

void TForm5::Edit2KeyPress()
{
    if (BitBtn2->isEnabled())
        BitBtn2Click();
}

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
    // The next line is typed at once: on the button a space would add an
    // empty line, and once it is disabled the focus would go on to the link box.
    Edit2->setFocus(Qt::OtherFocusReason);
    keepRun();
}

}  // namespace kobalin
