#include "wizard/generatelifts.h"

#include "app/fieldfilter.h"
#include "app/guard.h"
#include "app/look.h"
#include "app/prompts.h"
#include "app/qtext.h"
#include "wizard/decimal.h"
#include "wizard/layerfilereader.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kobalin {

TGenerateLifts::TGenerateLifts(QWidget* parent) : QDialog(parent)
{
    setObjectName("GenerateLifts");
    useFont(this, 13);
    auto* fields = new QWidget(this);
    fields->setObjectName("fields");
    auto* form = new QFormLayout;
    const std::array<const char*, 4> values = {"-0.60", "-0.10", "0.10", ""};
    std::array<QLineEdit*, 4> edits{};
    for (int i = 0; i < 4; ++i) {
        captions[i] = new QLabel(fields);
        captions[i]->setObjectName(QString("Label%1").arg(i + 1));
        edits[i] = new QLineEdit(values[i], fields);
        edits[i]->setObjectName(QString("Edit%1").arg(i + 1));
        edits[i]->setMinimumWidth(i == 3 ? 240 : 110);
        captions[i]->setBuddy(edits[i]);
        form->addRow(captions[i], edits[i]);
    }
    Edit1 = edits[0];
    Edit2 = edits[1];
    Edit3 = edits[2];
    Edit4 = edits[3];
    // "<name> 999" still fits a layer name.
    Edit4->setValidator(new FieldFilter(Edit4));
    Edit4->setMaxLength(static_cast<int>(kLongestText) - 4);

    Button1 = new QPushButton(fields);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);  // Enter generates
    Button2 = new QPushButton(fields);
    Button2->setObjectName("Button2");
    Button2->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* content = new QVBoxLayout(fields);
    content->setContentsMargins(16, 16, 16, 12);
    content->addLayout(form);
    content->addStretch();
    content->addLayout(buttons);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(new FittingArea(fields, this), 1);
    allowShrinking(this);
    resize(520, 200);

    onEvent(Button1, &QPushButton::clicked, this, &TGenerateLifts::Button1Click);
    onEvent(Button2, &QPushButton::clicked, this, &TGenerateLifts::Button2Click);
}

QString TGenerateLifts::text(int k) const { return catalogue(taalbasis, k); }

void TGenerateLifts::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    guarded(this, [this] { FormActivate(); });
}

void TGenerateLifts::FormActivate()
{
    setWindowTitle(text(124));
    const int texts[] = {125, 126, 127, 30};
    for (int i = 0; i < 4; ++i) {
        captions[i]->setText(text(texts[i]));
        captions[i]->buddy()->setAccessibleName(text(texts[i]));
    }
    Button1->setText(text(0));
    Button2->setText(text(1));
    fitWindow(this, size());
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->selectAll();
}

std::optional<double> TGenerateLifts::readField(QLineEdit* field, const QLabel* caption)
{
    if (const auto value = readDecimal(us(field->text())))
        return value;
    prompts().error(this,
                    caption->text() + ": " + qs(withNumbers(catalogueText(taalbasis, 68), {shownField(us(field->text()))})));
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return std::nullopt;
}

void TGenerateLifts::Button1Click()
{
    const auto surface = readField(Edit1, captions[0]);
    const auto top = surface ? readField(Edit2, captions[1]) : std::nullopt;
    const auto thickness = top ? readField(Edit3, captions[2]) : std::nullopt;
    if (!thickness)
        return;
    LiftRequest request{*surface, *top, *thickness, {}};
    request.name = us(Edit4->text());
    Lifts made = generateLifts(request, valuesFrom, layerRows);
    if (made.fault != LiftFault::None) {
        prompts().error(this, qs(liftRefusal(made, taalbasis)));
        return;
    }
    if (made.nameCut)
        prompts().error(this, text(53));
    lifts = std::move(made);
    accept();
}

void TGenerateLifts::Button2Click() { reject(); }

}  // namespace kobalin
