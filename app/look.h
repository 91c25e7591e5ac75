#pragma once

#include <QColor>
#include <QFont>
#include <QScrollArea>
#include <QSize>

class QWidget;

namespace kobalin {

// Tahoma where the system has it, the platform's sans-serif otherwise.
QFont tahoma(int pixelSize, bool italic = false);
// A fixed-pitch font, for text shown exactly as it is in a file.
QFont fixedFont(int pixelSize);

// Gives widget the font, for itself and the children that take no font of their own.
void useFont(QWidget* widget, int pixelSize, bool italic = false);

// Gives widget the font when it is first shown. A text field lays out its
// text as soon as it is made and whenever its font changes, which loads the
// font; fields that stay hidden at start so cost the start nothing.
void useFontWhenShown(QWidget* widget, int pixelSize, bool italic = false);

// Every window shows which control has the keyboard focus from its first
// showing on. Fusion and the Windows styles draw the focus of a button, a
// check box or a spin box only once Tab has been pressed in the window; a
// focus that came otherwise (a click, a button disabled under it, a dialog's
// opening) went unseen, and a Space or Enter pressed what nobody saw. Called
// once for the application; later calls change nothing.
void showFocusAlways();
// Nested layouts learn of new texts through posted events: lets them take
// the texts in now, so that the sizes they give are those of the new texts.
void settleLayouts();

// Sizes and places a window on the available area of its screen (without
// the taskbar and docks): its designed client size, or larger where its
// contents need more (longer texts, larger fonts), but never beyond that area
// with its frame; as high as its contents need at that width where they wrap;
// inside the area, centred over its parent window, or over the area when it
// has none. Where the area is too small, the contents of its
// FittingArea scroll.
void fitWindow(QWidget* window, QSize designed);

// A frameless scroll area that asks for its whole content's minimum size, so
// the window sized by fitWindow shows everything without scrolling where the
// screen has the room. The
// window's layout must then be made with allowShrinking, or the window could
// not be made smaller than that content.
class FittingArea : public QScrollArea {
public:
    FittingArea(QWidget* content, QWidget* parent);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// Lets a window be smaller than its contents' minimum size (which then scroll).
void allowShrinking(QWidget* window);

// The colour of a value worth a second look (unusual, or clashing with
// another): strong for text and marks, light behind text.
QColor warningColour();
QColor warningBackground();

// Marks a field whose value is unusual, with why as its tooltip; an empty why
// takes the mark away.
void markUnusual(QWidget* field, const QString& why);

}  // namespace kobalin
