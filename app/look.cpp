#include "app/look.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLayout>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
#include <optional>

namespace kobalin {

namespace {

enum Face { Sans, Fixed };

QString lookUpFamily(Face face)
{
    if (face == Sans) {
        // Asked for by name only where it is installed: a missing family makes
        // every font look-up search the fallbacks, which slows the start a lot.
        return QFontDatabase::hasFamily("Tahoma") ? QStringLiteral("Tahoma")
                                                  : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }
    // A system may name a fixed font that it maps to a proportional one (Wine
    // does so with Courier New); then any installed fixed-pitch family serves.
    const QFont named = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(named).fixedPitch())
        return named.family();
    const QStringList families = QFontDatabase::families();
    const auto fixed = std::find_if(families.begin(), families.end(),
                                    [](const QString& f) { return QFontDatabase::isFixedPitch(f); });
    return fixed != families.end() ? *fixed : named.family();
}

QFont designedFont(Face face, int pixelSize, bool italic)
{
    // Each family is looked up once, when first asked for: the fixed one loads
    // a font, which the start has no need of.
    static std::array<std::optional<QString>, 2> families;
    std::optional<QString>& family = families[face];
    if (!family)
        family = lookUpFamily(face);
    QFont font(*family);
    font.setStyleHint(face == Sans ? QFont::SansSerif : QFont::TypeWriter);
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    return font;
}

}  // namespace

QFont tahoma(int pixelSize, bool italic) { return designedFont(Sans, pixelSize, italic); }

QFont fixedFont(int pixelSize) { return designedFont(Fixed, pixelSize, false); }

void useFont(QWidget* widget, int pixelSize, bool italic) { widget->setFont(tahoma(pixelSize, italic)); }

namespace {

// Sets the font at the widget's first show, then goes.
class FontOnShow : public QObject {
public:
    FontOnShow(QWidget* widget, const QFont& font) : QObject(widget), font_(font) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            static_cast<QWidget*>(watched)->setFont(font_);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QFont font_;
};

}  // namespace

void useFontWhenShown(QWidget* widget, int pixelSize, bool italic) { new FontOnShow(widget, tahoma(pixelSize, italic)); }

namespace {

// Qt clears the window's mark of a focus moved by keyboard at each showing.
class FocusShown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow())
                widget->setAttribute(Qt::WA_KeyboardFocusChange);
        }
        return false;
    }
};

}  // namespace

void showFocusAlways()
{
    static QPointer<FocusShown> shown;
    if (!shown) {
        shown = new FocusShown(qApp);
        qApp->installEventFilter(shown);
    }
}

namespace {

// The frame a window manager puts around the window: known once it is shown
// and framed, guessed before (a title bar and thin borders).
QMargins frameOf(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (window->isVisible() && frame != client)
        return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                frame.bottom() - client.bottom()};
    return {8, 32, 8, 8};
}

}  // namespace

void settleLayouts()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void fitWindow(QWidget* window, QSize designed)
{
    // Settled first, or the size needed would be that of the old texts.
    settleLayouts();
    const QWidget* over = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    const QScreen* screen = over && over->isVisible() ? over->screen() : window->screen();
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    const QSize room = area.size().shrunkBy(frame).expandedTo(QSize(1, 1));
    QSize size = designed.expandedTo(window->minimumSizeHint()).boundedTo(room);
    // Contents that wrap (texts, groups of fields) may need more height at the
    // width given. Asked of the area's contents, not of the window: a window
    // with a height for its width cannot be made lower than that on Windows.
    if (const auto* fitting = window->findChild<FittingArea*>(); fitting && fitting->widget()->hasHeightForWidth()) {
        const QMargins margins = window->layout()->contentsMargins();
        const int around = window->minimumSizeHint().height() - fitting->minimumSizeHint().height();
        const int needed = around + fitting->widget()->heightForWidth(size.width() - margins.left() - margins.right());
        size.setHeight(std::clamp(needed, size.height(), room.height()));
    } else if (window->hasHeightForWidth()) {
        size.setHeight(std::clamp(window->heightForWidth(size.width()), size.height(), room.height()));
    }

    QRect placed(QPoint(0, 0), size.grownBy(frame));
    placed.moveCenter(over && over->isVisible() ? over->frameGeometry().center() : area.center());
    placed.moveLeft(std::clamp(placed.left(), area.left(), std::max(area.left(), area.right() + 1 - placed.width())));
    placed.moveTop(std::clamp(placed.top(), area.top(), std::max(area.top(), area.bottom() + 1 - placed.height())));
    // The client area's geometry: a window not yet framed cannot place its frame.
    window->setGeometry(QRect(placed.topLeft() + QPoint(frame.left(), frame.top()), size));
}

FittingArea::FittingArea(QWidget* content, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);  // no stop of its own in the tab order
    setWidgetResizable(true);
    setWidget(content);
}

bool FittingArea::eventFilter(QObject* watched, QEvent* event)
{
    // New texts change what the content needs: the window's layout must ask again.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

void FittingArea::resizeEvent(QResizeEvent* event)
{
    // Qt measures wrapping contents at the viewport's present width, which a
    // bar shown at an earlier, smaller size narrows: where they fit the whole
    // area, they are measured there, or the bar would stay for nothing.
    const QSize whole = maximumViewportSize();
    if (widget()->hasHeightForWidth() && widget()->heightForWidth(whole.width()) <= whole.height())
        viewport()->resize(whole);
    QScrollArea::resizeEvent(event);
}

QSize FittingArea::minimumSizeHint() const { return widget()->minimumSizeHint(); }

QSize FittingArea::sizeHint() const { return widget()->sizeHint().expandedTo(minimumSizeHint()); }

void allowShrinking(QWidget* window) { window->layout()->setSizeConstraint(QLayout::SetNoConstraint); }

QColor warningColour() { return QColor(0xB3, 0x4D, 0x00); }
QColor warningBackground() { return QColor(0xFF, 0xC8, 0x7A); }

void markUnusual(QWidget* field, const QString& why)
{
    QPalette palette = field->parentWidget() ? field->parentWidget()->palette() : field->palette();
    if (!why.isEmpty())
        palette.setColor(QPalette::Base, warningBackground());
    field->setPalette(palette);
    field->setToolTip(why);
}

}  // namespace kobalin
