#include "fits.h"

#include "app/pathlabel.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

bool isControl(QWidget* w)
{
    return qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QTreeWidget*>(w);
}

// Controls that are part of another control (the line edit of a spin box or combo box).
bool insideControl(QWidget* w, QWidget* window)
{
    for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (isControl(p))
            return true;
    return false;
}

// The width a push button needs for its text and icon, without the style's minimum width.
int neededWidth(QPushButton* b)
{
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    option.icon = b->icon();
    option.iconSize = b->iconSize();
    QSize content(b->fontMetrics().horizontalAdvance(b->text()), b->fontMetrics().height());
    if (!b->icon().isNull())
        content.rwidth() += b->iconSize().width() + 4;
    return b->style()->sizeFromContents(QStyle::CT_PushButton, &option, content, b).width();
}

struct DesignedFont {
    const char* window;
    const char* control;  // nullptr: every control of the window not listed
    int pixelSize;
    bool italic;
};

// Some fields take their font only when first shown; they must have it by then.
const DesignedFont kFonts[] = {
    {"Form5", nullptr, 13, false},
    {"Form5", "Panel1Caption", 27, true},
    {"Form5", "Label1", 19, true},
    {"Form5", "Label2", 16, true},
    {"Form5", "Edit1", 15, false},
    {"Form5", "Edit2", 13, true},
    {"Form5", "BitBtn3", 15, false},
    {"Form5", "BitBtn6", 15, false},
    {"taalkeus", nullptr, 11, false},
    {"Bewerkcommentaar", nullptr, 11, false},
    {"Bewerkcommentaar", "Label1", 13, false},
    {"Bewerkcommentaar", "Edit1", 17, false},
    {"Layeredit", nullptr, 13, false},
    {"LayerTable", nullptr, 13, false},
    {"GenerateLifts", nullptr, 13, false},
};

void expectDesignedFont(QWidget* window, QWidget* control)
{
    const DesignedFont* designed = nullptr;
    for (const DesignedFont& f : kFonts)
        if (window->objectName() == f.window && (!f.control ? !designed : control->objectName() == f.control))
            designed = &f;
    ASSERT_NE(designed, nullptr) << window->objectName().toStdString();
    EXPECT_EQ(control->font().pixelSize(), designed->pixelSize) << control->objectName().toStdString();
    EXPECT_EQ(control->font().italic(), designed->italic) << control->objectName().toStdString();
}

}  // namespace

void expectFits(QWidget* window, const QString& where)
{
    SCOPED_TRACE(where.toStdString());
    // Let every layout settle and the scroll bars show or hide, as the event
    // loop would before the user sees the window.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::sendPostedEvents();
    std::vector<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || !isControl(w) || insideControl(w, window))
            continue;
        controls.push_back(w);
        expectDesignedFont(window, w);
        const QString name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
        if (auto* label = qobject_cast<QLabel*>(w);
            label && !qobject_cast<kobalin::PathLabel*>(w) && !label->text().isEmpty()) {
            const QRect area = label->contentsRect();
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << name.toStdString() << " " << label->text().toStdString();
            } else {
                const QSize needed = label->fontMetrics().size(0, label->text());
                EXPECT_LE(needed.width(), area.width()) << name.toStdString() << " " << label->text().toStdString();
                EXPECT_LE(needed.height(), area.height()) << name.toStdString();
            }
        } else if (auto* button = qobject_cast<QPushButton*>(w); button && !button->text().isEmpty()) {
            EXPECT_LE(neededWidth(button), button->width()) << name.toStdString() << " " << button->text().toStdString();
            EXPECT_LE(button->fontMetrics().height(), button->height()) << name.toStdString();
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            EXPECT_LE(w->sizeHint().width(), w->width())
                << name.toStdString() << " " << static_cast<QAbstractButton*>(w)->text().toStdString();
            EXPECT_LE(w->sizeHint().height(), w->height()) << name.toStdString();
        }
        // Inside every container up to the window: a squeezed layout pushes controls out of their frame.
        const QRect placed(w->mapTo(window, QPoint(0, 0)), w->size());
        for (QWidget* p = w->parentWidget(); p; p = p == window ? nullptr : p->parentWidget()) {
            const QRect container(p->mapTo(window, QPoint(0, 0)), p->size());
            EXPECT_TRUE(container.contains(placed)) << name.toStdString() << " leaves " << p->objectName().toStdString();
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const QRect a(controls[i]->mapTo(window, QPoint(0, 0)), controls[i]->size());
            const QRect b(controls[j]->mapTo(window, QPoint(0, 0)), controls[j]->size());
            EXPECT_FALSE(a.intersects(b)) << controls[i]->objectName().toStdString() << " covers "
                                          << controls[j]->objectName().toStdString();
        }
    }
}
