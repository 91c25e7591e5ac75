#pragma once

#include <QColor>
#include <QFont>
#include <QSize>

class QWidget;

namespace kobalin {

// Tahoma where the system has it, the platform's sans-serif otherwise.
QFont tahoma(int pixelSize, bool italic = false);

// Gives widget the font, for itself and the children that take no font of their own.
void useFont(QWidget* widget, int pixelSize, bool italic = false);

// Gives widget the font when it is first shown. A text field lays out its
// text as soon as it is made and whenever its font changes, which loads the
// font; fields that stay hidden at start so cost the start nothing.
void useFontWhenShown(QWidget* widget, int pixelSize, bool italic = false);

// Resizes a window to its designed client size, or larger where its contents
// need more (longer texts, larger fonts), so that nothing is clipped.
void resizeAtLeast(QWidget* window, QSize designed);

// The colour of a value worth a second look (unusual, or clashing with
// another): strong for text and marks, light behind text.
QColor warningColour();
QColor warningBackground();

// Marks a field whose value is unusual, with why as its tooltip; an empty why
// takes the mark away.
void markUnusual(QWidget* field, const QString& why);

}  // namespace kobalin
