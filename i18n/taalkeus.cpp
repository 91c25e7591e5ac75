#include "i18n/taalkeus.h"

#include "app/art.h"
#include "app/guard.h"
#include "app/look.h"
#include "app/qtext.h"
#include "app/settings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kobalin {

namespace {

struct Language {
    const char* caption;
    const char* flag;
    std::int32_t base;  // the stored value that selects this item, and that Ok stores
};

constexpr std::array<Language, 6> kLanguages{{
    {"English", ":/flags/gb.svg", kEnglish},
    {"Nederlands", ":/flags/nl.svg", kDutch},
    {"Norsk", ":/flags/no.svg", kNorwegian},
    {"Svenska", ":/flags/se.svg", kSwedish},
    {"French", ":/flags/fr.svg", kFrench},
    {"Dansk", ":/flags/dk.svg", kDanish},
}};

}  // namespace

Ttaalkeus::Ttaalkeus(QWidget* parent) : QDialog(parent)
{
    setObjectName("taalkeus");
    setWindowTitle("Language");
    useFont(this, 11);

    Label1 = new QLabel("Select Language", this);
    Label1->setObjectName("Label1");

    buildItems();

    Button1 = new QPushButton("Ok", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumSize(75, 25);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addSpacing(77);
    buttons->addWidget(Button2);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(88, 8, 95, 20);
    layout->addWidget(Label1);
    layout->addSpacing(12);
    layout->addWidget(RadioGroup1, 1);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    setTabOrder(RadioGroup1, Button1);
    setTabOrder(Button1, Button2);

    // Grown at activation where its texts need more room.
    resize(629, 294);

    onEvent(Button1, &QPushButton::clicked, this, &Ttaalkeus::Button1Click);
    onEvent(Button2, &QPushButton::clicked, this, &Ttaalkeus::Button2Click);
}

void Ttaalkeus::buildItems()
{
    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName("RadioGroup1");
    group_ = new QButtonGroup(this);
    auto* grid = new QGridLayout(RadioGroup1);
    for (int i = 0; i < 6; ++i) {
        items[i] = new QRadioButton(kLanguages[i].caption, RadioGroup1);
        group_->addButton(items[i], i);
        images[i] = new QLabel(RadioGroup1);
        images[i]->setObjectName(QString("Image%1").arg(i + 1));
        images[i]->setFixedSize(17, 17);
        images[i]->setAccessibleName(kLanguages[i].caption);
        // Items 0 to 2 in the first column, 3 to 5 in the second.
        const int row = i % 3;
        const int column = (i / 3) * 3;  // a gap column between the two
        grid->addWidget(items[i], row, column);
        grid->addWidget(images[i], row, column + 1);
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, 40);
    grid->setHorizontalSpacing(12);
    grid->setContentsMargins(24, 16, 24, 16);
    RadioGroup1->setMinimumSize(446, 185);
}

void Ttaalkeus::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    guarded(this, [this] { FormActivate(); });
}

int Ttaalkeus::itemIndex() const { return group_->checkedId(); }

void Ttaalkeus::setItemIndex(int index)
{
    if (index >= 0 && index < 6) {
        items[index]->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied while it is exclusive.
    group_->setExclusive(false);
    for (QRadioButton* item : items)
        item->setChecked(false);
    group_->setExclusive(true);
}

void Ttaalkeus::FormActivate()
{
    // Drawn at the first showing rather than at start, when nobody sees them.
    if (images[0]->pixmap().isNull()) {
        for (int i = 0; i < 6; ++i)
            images[i]->setPixmap(artIcon(kLanguages[i].flag).pixmap(17, 17));
    }
    fitWindow(this, size());
    auto key = openSettingsKey(kSettingsKey);
    const auto taal = key->readInteger(u"taal");
    if (!taal) {
        setItemIndex(0);
    } else {
        for (int i = 0; i < 6; ++i)
            if (kLanguages[i].base == *taal)
                setItemIndex(i);
    }
    key->close();
}

void Ttaalkeus::Button1Click()
{
    auto key = openSettingsKey(kSettingsKey);
    // Every item has its texts; no selection stores English.
    const int item = itemIndex();
    const std::int32_t base = item < 0 ? kEnglish : kLanguages[static_cast<std::size_t>(item)].base;
    key->writeInteger(u"taal", base);
    key->close();
    prompts().info(this, catalogue(base, 12));
    accept();
}

void Ttaalkeus::Button2Click() { reject(); }

}  // namespace kobalin
