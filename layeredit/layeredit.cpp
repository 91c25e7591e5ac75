#include "layeredit/layeredit.h"

#include "app/atomicfile.h"
#include "app/fieldfilter.h"
#include "app/guard.h"
#include "app/look.h"
#include "app/named.h"
#include "app/prompts.h"
#include "app/qtext.h"
#include "app/utf8.h"
#include "app/wrappingrow.h"
#include "layeredit/namerule.h"
#include "layeredit/spinbutton.h"
#include "layeredit/templatefile.h"
#include "layeredit/templatelist.h"
#include "layeredit/templatestore.h"
#include "wizard/decimal.h"
#include "wizard/layerfilereader.h"
#include "wizard/openlayerfile.h"
#include "wizard/paths.h"
#include "wizard/rundata.h"
#include "wizard/usualvalues.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

#include <span>
#include <stdexcept>
#include <vector>

namespace kobalin {

namespace {

QSpinBox* countField(const char* name, int value, QWidget* parent)
{
    auto* box = named(new QSpinBox(parent), name);
    box->setRange(kLeastCount, kMostCount);
    box->setValue(value);
    return box;
}

// Where the shared template file is proposed and looked for.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString quoted(const std::vector<std::u16string>& names)
{
    QStringList list;
    for (const std::u16string& name : names)
        list << '"' + qs(name) + '"';
    return list.join(", ");
}

}  // namespace

TLayeredit::TLayeredit(RunData& run, QWidget* parent) : QDialog(parent), run_(run)
{
    setObjectName("Layeredit");
    setWindowTitle("Layeredit");
    useFont(this, 13);
    layOutFields(buildFields());
    wireKeys();
    buildMenu();
    // Grown at activation where its texts need more room.
    resize(1004, 277);
    wire();
}

QFrame* TLayeredit::buildFields()
{
    auto* bar = new QFrame(this);
    bar->setFixedHeight(29);
    bar->setAutoFillBackground(true);
    bar->setBackgroundRole(QPalette::Highlight);

    Label1 = named(new QLabel(this), "Label1");
    for (int i = 0; i < 7; ++i)
        captions[i] = named(new QLabel(this), QString("Label%1").arg(i + 2));
    for (int i = 0; i < 5; ++i) {
        bevels[i] = named(new QFrame(this), QString("Bevel%1").arg(i + 1));
        bevels[i]->setFrameShape(QFrame::StyledPanel);
    }

    ComboBox1 = named(new QComboBox(bevels[0]), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    // The field holds exactly what was typed: a template is taken only when
    // chosen from the open list, never completed into the typed name.
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setMinimumWidth(200);
    ComboBox1->lineEdit()->setValidator(new FieldFilter(ComboBox1));
    ComboBox1->lineEdit()->setMaxLength(static_cast<int>(kLongestText));
    ComboBox1->setEditText(catalogue(kEnglish, 37));

    Edit2 = named(new QLineEdit("-0.10", bevels[1]), "Edit2");
    Edit2->setFocusPolicy(Qt::ClickFocus);
    SpinButton2 = named(new SpinButton(bevels[1]), "SpinButton2");
    SpinButton3 = named(new SpinButton(bevels[1]), "SpinButton3");
    CSpinEdit1 = countField("CSpinEdit1", 4, bevels[2]);
    CSpinEdit2 = countField("CSpinEdit2", 2, bevels[2]);
    Edit1 = named(new QLineEdit("2.5", bevels[3]), "Edit1");
    SpinButton1 = named(new SpinButton(bevels[3]), "SpinButton1");
    CSpinEdit3 = countField("CSpinEdit3", 1, bevels[3]);
    CSpinEdit4 = countField("CSpinEdit4", 50, bevels[4]);

    Button1 = named(new QPushButton(this), "Button1");
    Button2 = named(new QPushButton(this), "Button2");
    for (QPushButton* b : {Button1, Button2}) {
        // Neither Enter nor Escape presses a button.
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumSize(120, 40);
    }
    return bar;
}

void TLayeredit::layOutFields(QFrame* bar)
{
    // Each group: the captions in one row, their fields (with spin buttons) below.
    struct Field {
        QLabel* caption;
        QWidget* control;
        std::vector<QWidget*> beside;
    };
    auto group = [](QFrame* bevel, std::initializer_list<Field> fields) {
        auto* grid = new QGridLayout(bevel);
        grid->setContentsMargins(10, 8, 10, 10);
        grid->setHorizontalSpacing(12);
        int column = 0;
        for (const Field& f : fields) {
            auto* row = new QHBoxLayout;
            row->setSpacing(2);
            row->addWidget(f.control, 1);
            for (QWidget* w : f.beside)
                row->addWidget(w);
            grid->addWidget(f.caption, 0, column, Qt::AlignBottom);
            grid->addLayout(row, 1, column);
            ++column;
        }
        grid->setRowStretch(2, 1);
    };
    group(bevels[0], {{captions[0], ComboBox1, {}}});
    group(bevels[1], {{captions[1], Edit2, {SpinButton2, SpinButton3}}});
    group(bevels[2], {{captions[2], CSpinEdit1, {}}, {captions[3], CSpinEdit2, {}}});
    group(bevels[3], {{captions[4], Edit1, {SpinButton1}}, {captions[5], CSpinEdit3, {}}});
    group(bevels[4], {{captions[6], CSpinEdit4, {}}});

    // One row of the five groups; in a narrower window they wrap whole
    // rather than be cut or scroll sideways.
    groups_ = new WrappingRow;
    for (QFrame* bevel : bevels)
        groups_->addWidget(bevel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addSpacing(40);
    buttons->addWidget(Button2);
    buttons->addStretch();

    // Below the bar, the part that scrolls on a screen too small for it.
    auto* fields = named(new QWidget(this), "fields");
    auto* content = new QVBoxLayout(fields);
    content->setContentsMargins(16, 12, 16, 12);
    content->addWidget(Label1);
    content->addLayout(groups_);
    content->addStretch();
    content->addLayout(buttons);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(bar);
    root->addWidget(named(new FittingArea(fields, this), "fieldsArea"), 1);
    allowShrinking(this);
}

void TLayeredit::wireKeys()
{
    setTabOrder(ComboBox1, CSpinEdit1);
    setTabOrder(CSpinEdit1, CSpinEdit2);
    setTabOrder(CSpinEdit2, Edit1);
    setTabOrder(Edit1, CSpinEdit3);
    setTabOrder(CSpinEdit3, CSpinEdit4);
    setTabOrder(CSpinEdit4, Button1);
    setTabOrder(Button1, Button2);

    // The offset field is no tab stop; Alt+O reaches it. Up and Down step the
    // decimal fields as their spin buttons do (with Ctrl, the offset by 0.01).
    auto* toOffset = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_O), this);
    connect(toOffset, &QShortcut::activated, Edit2, [this] { Edit2->setFocus(Qt::ShortcutFocusReason); });
    captions[1]->setBuddy(Edit2);
    for (QWidget* field : std::initializer_list<QWidget*>{ComboBox1, ComboBox1->lineEdit(), Edit2, CSpinEdit1, CSpinEdit2,
                                                          Edit1, CSpinEdit3, CSpinEdit4})
        field->installEventFilter(this);
}

void TLayeredit::buildMenu()
{
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    Verwijderuittemplate1 = named(PopupMenu1->addAction(QString()), "Verwijderuittemplate1");
    PopupMenu1->addSeparator()->setObjectName("N1");
    Overschrijven1 = named(PopupMenu1->addAction(QString()), "Overschrijven1");
    pevoegen1 = named(PopupMenu1->addAction(QString()), "pevoegen1");
    PopupMenu1->addSeparator()->setObjectName("N2");
    Exporteren1 = named(PopupMenu1->addAction(QString()), "Exporteren1");
    Importeren1 = named(PopupMenu1->addAction(QString()), "Importeren1");
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox1->lineEdit(), Edit1, Edit2, CSpinEdit1, CSpinEdit2,
                                                      CSpinEdit3, CSpinEdit4}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& pos) { PopupMenu1->popup(w->mapToGlobal(pos)); });
    }
}

void TLayeredit::wire()
{
    onEvent(Button1, &QPushButton::clicked, this, &TLayeredit::Button1Click);
    onEvent(Button2, &QPushButton::clicked, this, &TLayeredit::Button2Click);
    onEvent(SpinButton2, &SpinButton::upClicked, this, &TLayeredit::SpinButton2UpClick);
    onEvent(SpinButton2, &SpinButton::downClicked, this, &TLayeredit::SpinButton2DownClick);
    onEvent(SpinButton3, &SpinButton::upClicked, this, &TLayeredit::SpinButton3UpClick);
    onEvent(SpinButton3, &SpinButton::downClicked, this, &TLayeredit::SpinButton3DownClick);
    onEvent(SpinButton1, &SpinButton::upClicked, this, &TLayeredit::SpinButton1UpClick);
    onEvent(SpinButton1, &SpinButton::downClicked, this, &TLayeredit::SpinButton1DownClick);
    onEvent(Edit2, &QLineEdit::textChanged, this, &TLayeredit::Edit2Change);
    onEvent(Edit1, &QLineEdit::textChanged, this, &TLayeredit::Edit1Change);
    onEvent(pevoegen1, &QAction::triggered, this, &TLayeredit::pevoegen1Click);
    onEvent(Overschrijven1, &QAction::triggered, this, &TLayeredit::Overschrijven1Click);
    onEvent(Verwijderuittemplate1, &QAction::triggered, this, &TLayeredit::Verwijderuittemplate1Click);
    onEvent(Exporteren1, &QAction::triggered, this, &TLayeredit::Exporteren1Click);
    onEvent(Importeren1, &QAction::triggered, this, &TLayeredit::Importeren1Click);
}

QString TLayeredit::text(int k) const { return catalogue(taalbasis, k); }

void TLayeredit::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    guarded(this, [this] { FormActivate(); });
}

void TLayeredit::keyPressEvent(QKeyEvent* event)
{
    // Escape would close the dialog and Enter press a button: it answers to its buttons only.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TLayeredit::eventFilter(QObject* watched, QEvent* event)
{
    if (listWatched_ && (watched == ComboBox1->view() || watched == ComboBox1->view()->viewport()))
        return chooseFromList(watched, event);
    const bool nameField = watched == ComboBox1 || watched == ComboBox1->lineEdit();
    // The combo box would take the next or previous template for a wheel turn
    // over it, focused or not, replacing every typed value.
    if (nameField && event->type() == QEvent::Wheel)
        return true;
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Likewise the arrow and page keys on the closed list; Alt+Down still opens it.
    if (nameField && !(key->modifiers() & Qt::AltModifier) &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_PageUp ||
         key->key() == Qt::Key_PageDown))
        return true;
    // Enter and Escape do nothing here: in the name field Enter would take the
    // template of that name, in a count field it would put back the last value.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape)
        return true;
    if ((watched != Edit1 && watched != Edit2) || (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down))
        return false;
    const bool up = key->key() == Qt::Key_Up;
    SpinButton* spin = watched == Edit1 ? SpinButton1 : (key->modifiers() & Qt::ControlModifier) ? SpinButton3 : SpinButton2;
    emit(up ? spin->upClicked() : spin->downClicked());
    return true;
}

bool TLayeredit::chooseFromList(QObject* watched, QEvent* event)
{
    // A template is taken only when chosen in the open list: a click on an
    // item, or Enter, Return or Space on the current one. The combo box's own
    // activation also fires for a typed name equal to a template's, when
    // editing ends, and is not used.
    QAbstractItemView* list = ComboBox1->view();
    QModelIndex item;
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            return false;
        // The list would choose at the override already and leave the key
        // press itself to the name field; it is taken here as a key press.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        item = list->currentIndex();
    } else if (event->type() == QEvent::MouseButtonRelease && watched == list->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && list->viewport()->rect().contains(mouse->position().toPoint()))
            item = list->indexAt(mouse->position().toPoint());
    }
    if (!item.isValid() || !(item.flags() & Qt::ItemIsEnabled) || !list->isVisible())
        return false;
    ComboBox1->hidePopup();
    ComboBox1->setCurrentIndex(item.row());
    ComboBox1->setEditText(ComboBox1->itemText(item.row()));
    guarded(this, [this] { ComboBox1Select(); });
    return true;
}

void TLayeredit::FormActivate()
{
    Label1->setText(text(28));
    Button2->setText(text(1));
    Button1->setText(text(29));
    for (int i = 0; i < 7; ++i)
        captions[i]->setText(text(30 + i));
    ComboBox1->setToolTip(text(49));
    Verwijderuittemplate1->setEnabled(false);
    Overschrijven1->setEnabled(false);
    pevoegen1->setText(text(25));
    Verwijderuittemplate1->setText(text(46));
    Overschrijven1->setText(text(47));
    Exporteren1->setText(text(140));
    Importeren1->setText(text(141));
    if (modus < 100)
        ComboBox1->setEditText(text(37));
    // The list is made at the first opening, not at start; this filter comes
    // after the list's own, so it sees a choice first.
    if (!listWatched_) {
        ComboBox1->view()->installEventFilter(this);
        ComboBox1->view()->viewport()->installEventFilter(this);
        listWatched_ = true;
    }
    reloadTemplates();
    // The marks' tooltips in this opening's language.
    Edit2Change();
    Edit1Change();
    // The decimal fields keep room for a "%7.2f" value, however long the captions.
    for (QLineEdit* field : {Edit1, Edit2})
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("-0000.00")) + 16);
    // The texts of another language may need more room; one row of the
    // groups where the screen has it.
    settleLayouts();
    const QMargins around = groups_->parentWidget()->layout()->contentsMargins();
    fitWindow(this, size().expandedTo(QSize(groups_->oneRowWidth() + around.left() + around.right(), 0)));

    // For screen readers: each field by its caption, the spin buttons by what they do.
    const std::pair<QWidget*, int> fields[] = {{ComboBox1, 30}, {Edit2, 31},      {CSpinEdit1, 32}, {CSpinEdit2, 33},
                                               {Edit1, 34},     {CSpinEdit3, 35}, {CSpinEdit4, 36}};
    for (const auto& [field, k] : fields)
        field->setAccessibleName(text(k));
    SpinButton2->up->setAccessibleName(text(31) + " +0.1");
    SpinButton2->down->setAccessibleName(text(31) + " -0.1");
    SpinButton3->up->setAccessibleName(text(31) + " +0.01");
    SpinButton3->down->setAccessibleName(text(31) + " -0.01");
    SpinButton1->up->setAccessibleName(text(34) + " +0.1");
    SpinButton1->down->setAccessibleName(text(34) + " -0.1");

    // Typing replaces the name: every opening starts in the name field with
    // its text selected, never on a button that Space would press.
    ComboBox1->setFocus(Qt::OtherFocusReason);
    ComboBox1->lineEdit()->selectAll();
}

void TLayeredit::showLayer(const TLayerRecord& r)
{
    Edit2->setText(qs(formatField(r.Offset)));
    ComboBox1->setEditText(qs(r.Name));
    CSpinEdit1->setValue(r.PassCount_Target);
    CSpinEdit2->setValue(r.PassCount_MaxExtra);
    Edit1->setText(qs(formatField(r.Speed_Target)));
    CSpinEdit3->setValue(r.Speed_MaxDiff);
    CSpinEdit4->setValue(r.Compaction_Target);
}

void TLayeredit::reloadTemplates()
{
    const QString name = ComboBox1->currentText();
    ComboBox1->clear();
    listTemplates(ComboBox1, readTemplates(), {text(31), text(32), text(34), text(36)});
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(name);
    chosenTemplate_ = -1;
}

double TLayeredit::readField(QLineEdit* field, const QLabel* caption)
{
    if (const auto value = readDecimal(us(field->text())))
        return *value;
    // Once the error box has closed, the number is typed anew in its field.
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    const QString name = caption->text().isEmpty() ? field->objectName() : caption->text();
    throw std::invalid_argument(toUtf8(unreadableNumberMessage(taalbasis, us(name), us(field->text()))));
}

void TLayeredit::step(QLineEdit* field, const QLabel* caption, double by)
{
    field->setText(qs(formatField(readField(field, caption) + by)));
}

void TLayeredit::SpinButton2UpClick() { step(Edit2, captions[1], 0.1); }
void TLayeredit::SpinButton2DownClick() { step(Edit2, captions[1], -0.1); }
void TLayeredit::SpinButton3UpClick() { step(Edit2, captions[1], 0.01); }
void TLayeredit::SpinButton3DownClick() { step(Edit2, captions[1], -0.01); }
void TLayeredit::SpinButton1UpClick() { step(Edit1, captions[4], 0.1); }
void TLayeredit::SpinButton1DownClick() { step(Edit1, captions[4], -0.1); }

// An unusual value is pointed at, never refused: it is taken as typed. Text
// that is no number is left to OK's error box.
void TLayeredit::Edit2Change()
{
    const auto value = readDecimal(us(Edit2->text()));
    markUnusual(Edit2, value && !isUsualOffset(*value) ? text(80) : QString());
}

void TLayeredit::Edit1Change()
{
    const auto value = readDecimal(us(Edit1->text()));
    markUnusual(Edit1, value && !isUsualSpeed(*value) ? text(81) : QString());
}

void TLayeredit::Button1Click()
{
    // Every field is read before the record is touched: a refused number
    // leaves the record as it was.
    TLayerRecord r;
    r.Name = us(ComboBox1->currentText());
    r.Offset = static_cast<float>(readField(Edit2, captions[1]));
    r.PassCount_Target = CSpinEdit1->value();
    r.PassCount_MaxExtra = CSpinEdit2->value();
    r.Speed_Target = static_cast<float>(readField(Edit1, captions[4]));
    r.Speed_MaxDiff = CSpinEdit3->value();
    r.Compaction_Target = CSpinEdit4->value();

    NameRuleResult name = applyNameRule(r.Name);
    if (name.cut)
        prompts().error(this, text(53));
    r.Name = std::move(name.name);

    // The table holds at most kMaxLayers layers; the last record is never one.
    if (laagindex >= 0 && laagindex < kMaxLayers) {
        run_.layers[laagindex] = std::move(r);
        ++laagindex;
    }
    accept();
}

void TLayeredit::Button2Click() { reject(); }

void TLayeredit::ComboBox1Select()
{
    const int i = ComboBox1->currentIndex();
    if (i < 0)
        return;
    chosenTemplate_ = i;
    const TemplateValues v = readTemplate(i);
    if (v.passCountTarget)
        CSpinEdit1->setValue(*v.passCountTarget);
    if (v.passCountMaxExtra)
        CSpinEdit2->setValue(*v.passCountMaxExtra);
    if (v.speedMaxDiff)
        CSpinEdit3->setValue(*v.speedMaxDiff);
    if (v.compactionTarget)
        CSpinEdit4->setValue(*v.compactionTarget);
    if (const auto offset = narrowed(v.offset))
        Edit2->setText(qs(formatField(*offset)));
    if (const auto speed = narrowed(v.speedTarget))
        Edit1->setText(qs(formatField(*speed)));
    Verwijderuittemplate1->setEnabled(true);
    Overschrijven1->setEnabled(true);
}

LayerTemplate TLayeredit::fieldsAsTemplate()
{
    const double offset = readField(Edit2, captions[1]);
    const double speed = readField(Edit1, captions[4]);
    return {us(ComboBox1->currentText()), offset, CSpinEdit1->value(), CSpinEdit2->value(), speed, CSpinEdit3->value(),
            CSpinEdit4->value()};
}

QString TLayeredit::applyNameRuleToField()
{
    const NameRuleResult name = applyNameRule(us(ComboBox1->currentText()));
    if (name.cut)
        prompts().error(this, text(53));
    ComboBox1->setEditText(qs(name.name));
    return qs(name.name);
}

void TLayeredit::pevoegen1Click()
{
    if (templateCount() >= kMaxTemplates) {
        prompts().error(this, text(44));
        return;
    }
    // The name rule first: its message comes even when a number is refused.
    const QString name = applyNameRuleToField();
    LayerTemplate entry = fieldsAsTemplate();
    entry.name = us(name);
    if (!addTemplate(entry)) {
        prompts().error(this, text(44));
        return;
    }
    prompts().info(this, text(45) + ComboBox1->currentText());
}

void TLayeredit::Overschrijven1Click()
{
    if (chosenTemplate_ < 0)
        return;
    const QString name = applyNameRuleToField();
    LayerTemplate entry = fieldsAsTemplate();
    entry.name = us(name);
    overwriteTemplate(chosenTemplate_, entry);
    prompts().info(this, text(48) + ComboBox1->currentText());
}

void TLayeredit::Verwijderuittemplate1Click()
{
    if (chosenTemplate_ < 0)
        return;
    // Another running copy may have shortened the list already: then nothing
    // is removed here, and the list is only brought up to date.
    const bool removed = removeTemplate(chosenTemplate_);
    reloadTemplates();
    if (removed)
        prompts().info(this, text(50) + ComboBox1->currentText());
}

void TLayeredit::Exporteren1Click()
{
    const std::vector<StoredTemplate> templates = readTemplates();
    if (templates.empty()) {
        prompts().info(this, text(142));
        return;
    }
    const TemplateFile file = templateFileContent(templates);
    if (file.unfit >= 0) {
        prompts().error(this, text(145) + qs(templates[static_cast<std::size_t>(file.unfit)].name));
        return;
    }
    const auto chosen = prompts().saveFile(this, QDir(documentsFolder()).filePath("kobalin-templates.csv"),
                                           {text(61), text(62)});
    if (!chosen)
        return;
    const QString path = QDir::toNativeSeparators(*chosen);
    try {
        replaceFileAtomically(nativePath(us(path)), file.bytes);
    } catch (const FileWriteError&) {
        prompts().error(this, text(144) + path);
        return;
    }
    prompts().info(this, text(143) + path);
}

void TLayeredit::Importeren1Click()
{
    const auto chosen = prompts().openFile(this, documentsFolder(), {text(61), text(62)});
    if (!chosen)
        return;
    // Read and refused as a layer file opened in the wizard is.
    const auto opened = openLayerFile(this, QDir::toNativeSeparators(*chosen), taalbasis);
    if (!opened)
        return;
    TemplateImport plan;
    if (!importAnswered(plan, opened->reading.run))
        return;
    const bool written = importTemplates(plan);
    reloadTemplates();
    if (!written) {
        prompts().error(this, text(149));
        return;
    }
    if (opened->reading.nameCut)
        prompts().error(this, text(53));
    prompts().info(this, text(148).arg(plan.added.size()).arg(plan.replaced.size()));
}

// Plans the import of the file's layers, asking once whether the names the
// list holds already are overwritten; false, having said why, when it would
// take the list past its hundred templates.
bool TLayeredit::importAnswered(TemplateImport& plan, const RunData& file)
{
    const std::span<const TLayerRecord> layers(file.layers.data(), static_cast<std::size_t>(file.lagen));
    std::vector<std::u16string> listed = templateNames();
    auto fits = [&] {
        if (plan.listed.size() + plan.added.size() <= static_cast<std::size_t>(kMaxTemplates))
            return true;
        prompts().error(this, text(146).arg(plan.listed.size()).arg(plan.added.size()));
        return false;
    };
    plan = planImport(listed, layers, false);
    if (!fits())
        return false;
    if (plan.repeated.empty() || !prompts().question(this, text(147).arg(quoted(plan.repeated)), text(59), text(60)))
        return true;
    plan = planImport(std::move(listed), layers, true);
    return fits();
}

}  // namespace kobalin
