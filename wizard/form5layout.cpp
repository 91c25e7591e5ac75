// How the wizard window is put together: its controls by region, their
// layout, the tab order and the wiring of the handlers (form5.cpp).
#include "wizard/form5.h"

#include "app/art.h"
#include "app/fieldfilter.h"
#include "app/guard.h"
#include "app/look.h"
#include "app/named.h"
#include "app/pathlabel.h"
#include "app/qtext.h"
#include "app/svgpicture.h"
#include "wizard/layersection.h"
#include "wizard/layertree.h"
#include "wizard/rundata.h"

#include <QAction>
#include <QCheckBox>
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

// Puts the drawing above the written file where, side by side, a band would
// have no room for its line of texts (at 200 %).
class StackWhenNarrow : public QObject {
public:
    StackWhenNarrow(QWidget* content, QBoxLayout* row, LayerSection* section)
        : QObject(content), content_(content), row_(row), section_(section)
    {
        content->installEventFilter(this);
        section->installEventFilter(this);  // shown after each refresh, in the run's language
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
            const QMargins margins = content_->layout()->contentsMargins();
            const int half = (content_->width() - margins.left() - margins.right() - row_->spacing()) / 2;
            row_->setDirection(half < section_->lineWidth() ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
        }
        return false;
    }

private:
    QWidget* content_;
    QBoxLayout* row_;
    LayerSection* section_;
};

}  // namespace

TForm5::TForm5(RunData& run, QWidget* parent) : QWidget(parent), run_(run)
{
    setObjectName("Form5");
    setWindowTitle("Kobalin");
    useFont(this, 13);
    buildBanner();
    buildPictureColumn();
    QWidget* content = buildStepControls();
    buildTree();
    // Between banner and button bar, the part that scrolls on a screen too small for it.
    auto* steps = named(new QWidget(this), "steps");
    auto* middle = new QHBoxLayout(steps);
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(Panel3);
    middle->addWidget(content, 1);
    middle->addWidget(TreeView1);
    buildButtonBar();
    layOutWindow(steps);
    wire();
    resize(1184, 661);
}

void TForm5::setDialogs(Ttaalkeus* taalkeus, TBewerkcommentaar* bewerkcommentaar, TLayeredit* layeredit)
{
    taalkeus_ = taalkeus;
    bewerkcommentaar_ = bewerkcommentaar;
    layeredit_ = layeredit;
}

void TForm5::buildBanner()
{
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
}

void TForm5::buildPictureColumn()
{
    // One picture at a time, stretched to fill the column.
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
}

QWidget* TForm5::buildStepControls()
{
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
    BitBtn6 = named(new QPushButton(content), "BitBtn6");
    BitBtn6->setFont(tahoma(15));
    BitBtn6->setMinimumSize(179, 64);
    BitBtn6->hide();
    CheckBox1 = named(new QCheckBox(content), "CheckBox1");
    Label4 = named(new QLabel("Folder:", content), "Label4");
    Label22 = named(new QLabel("Reference file", content), "Label22");
    Label5 = named(new QLabel("Layer file:", content), "Label5");
    Label6 = named(new PathLabel("#", content), "Label6");
    Label23 = named(new PathLabel("#", content), "Label23");
    Label9 = named(new PathLabel("#", content), "Label9");
    buildWrittenFile(content);
    layOutStepControls(content);
    return content;
}

void TForm5::buildWrittenFile(QWidget* content)
{
    Section1 = named(new LayerSection(content), "Section1");
    Section1->hide();
    // Step 5's written file in a box of its own: before step 5 the drawing has the whole width.
    writtenBox_ = new QWidget(content);
    writtenBox_->hide();
    Label10 = named(new PathLabel(writtenBox_), "Label10");
    Memo1 = named(new QPlainTextEdit(writtenBox_), "Memo1");
    Memo1->setReadOnly(true);
    // A text cursor shows the focus here (a read-only text shows none), and
    // the keys select and copy as well as scroll.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setMinimumSize(60, 40);
    Memo1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);  // as the drawing beside it
    BitBtn5 = named(new QPushButton(writtenBox_), "BitBtn5");
    BitBtn5->setMinimumHeight(32);
    auto* written = new QVBoxLayout(writtenBox_);
    written->setContentsMargins(0, 0, 0, 0);
    written->setSpacing(4);
    written->addWidget(Label10);
    written->addWidget(Memo1, 1);
    written->addWidget(BitBtn5, 0, Qt::AlignLeft);
}

void TForm5::layOutStepControls(QWidget* content)
{
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
    auto* layerRow = new QHBoxLayout;
    layerRow->addStretch();
    layerRow->addWidget(BitBtn3);
    layerRow->addSpacing(16);
    layerRow->addWidget(BitBtn6);
    layerRow->addStretch();
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(Edit1);
    fileRow->addStretch();
    auto* openRow = new QHBoxLayout;
    openRow->addWidget(BitBtn4);
    openRow->addStretch();
    auto* choice = new QGridLayout;
    choice->setHorizontalSpacing(12);
    const std::array<QLabel*, 6> choiceLabels = {Label4, Label6, Label22, Label23, Label5, Label9};
    for (int i = 0; i < 6; ++i)
        choice->addWidget(choiceLabels[i], i / 2, i % 2);  // each caption beside its value
    choice->setColumnStretch(1, 1);
    // The room the step's fields leave: the cross-section, and at step 5 the file.
    auto* freeRow = new QHBoxLayout;
    freeRow->setSpacing(16);
    freeRow->addWidget(Section1, 1);
    freeRow->addWidget(writtenBox_, 1);
    new StackWhenNarrow(content, freeRow, Section1);

    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(26, 16, 26, 12);
    contentLayout->addWidget(titleBlock);
    contentLayout->addLayout(fileRow);
    contentLayout->addLayout(openRow);
    contentLayout->addLayout(commentRow);
    contentLayout->addSpacing(8);
    contentLayout->addLayout(layerRow);
    contentLayout->addSpacing(8);
    contentLayout->addLayout(freeRow, 1);
    contentLayout->addStretch();
    contentLayout->addLayout(choice);
    contentLayout->addSpacing(6);
    contentLayout->addWidget(CheckBox1);
    contentLayout->addSpacing(6);
    contentLayout->addWidget(Label3);
}

void TForm5::buildTree()
{
    TreeView1 = named(new LayerTree(this), "TreeView1");
    Boompopup = named(new QMenu(this), "Boompopup");
    // The menu's images are loaded when first needed, not at start.
    edit3 = named(Boompopup->addAction(QString()), "edit3");
    edit4 = named(Boompopup->addAction(QString()), "edit4");
    Boompopup->addSeparator()->setObjectName("N1");
    emplate1 = named(Boompopup->addAction(QString()), "emplate1");
    emplate1->setEnabled(false);
}

void TForm5::buildButtonBar()
{
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
}

void TForm5::layOutWindow(QWidget* steps)
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(Panel1);
    root->addWidget(named(new FittingArea(steps, this), "stepsArea"), 1);
    root->addWidget(Panel2);
    allowShrinking(this);
}

void TForm5::wire()
{
    QWidget* const order[] = {Edit1,   BitBtn4,   Edit2,     BitBtn2, BitBtn3, BitBtn6, Memo1,
                              BitBtn5, CheckBox1, TreeView1, BitBtn1, Button5, Button3, Button4};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    onEvent(Button3, &QPushButton::clicked, this, &TForm5::Button3Click);
    onEvent(Button5, &QPushButton::clicked, this, &TForm5::Button5Click);
    onEvent(Button4, &QPushButton::clicked, this, &TForm5::Button4Click);
    onEvent(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
    onEvent(actie, &QPushButton::clicked, this, &TForm5::actieClick);
    onEvent(BitBtn3, &QPushButton::clicked, this, &TForm5::BitBtn3Click);
    onEvent(BitBtn6, &QPushButton::clicked, this, &TForm5::BitBtn6Click);
    onEvent(BitBtn4, &QPushButton::clicked, this, &TForm5::BitBtn4Click);
    onEvent(BitBtn2, &QPushButton::clicked, this, &TForm5::BitBtn2Click);
    onEvent(BitBtn5, &QPushButton::clicked, this, &TForm5::BitBtn5Click);
    onEvent(CheckBox1, &QCheckBox::toggled, this, &TForm5::CheckBox1Click);
    onClick(Panel3, this, &TForm5::Panel3Click);
    onClick(Edit1, this, &TForm5::Edit1Click, Activation::MouseOrKeyboard);
    onClick(Edit2, this, &TForm5::Edit2Click);
    onEvent(Edit2, &QLineEdit::returnPressed, this, &TForm5::Edit2KeyPress);
    onEvent(TreeView1, &QTreeWidget::clicked, this, &TForm5::BoompopupPopup);
    onEvent(TreeView1, &QTreeWidget::doubleClicked, this, &TForm5::BoompopupPopup);
    // A right click, the menu key or Shift+F10.
    connect(TreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) { showTreeMenu(pos); });
    onEvent(edit3, &QAction::triggered, this, &TForm5::edit3Click);
    onEvent(edit4, &QAction::triggered, this, &TForm5::edit4Click);
    onEvent(emplate1, &QAction::triggered, this, &TForm5::emplate1Click);

    start_ = new QTimer(this);
    start_->setSingleShot(true);
    onEvent(start_, &QTimer::timeout, this, &TForm5::FormActivate);
}

}  // namespace kobalin
