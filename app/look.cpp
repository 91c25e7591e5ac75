#include "app/look.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QWidget>

namespace kobalin {

QFont tahoma(int pixelSize, bool italic)
{
    QFont font;
    font.setFamilies({"Tahoma", QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    return font;
}

void useFont(QWidget* widget, int pixelSize, bool italic) { widget->setFont(tahoma(pixelSize, italic)); }

void resizeAtLeast(QWidget* window, QSize designed)
{
    // Nested layouts learn of new texts through posted events; settle them
    // first, or the size needed would be that of the old texts.
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    window->resize(designed.expandedTo(window->minimumSizeHint()));
}

}  // namespace kobalin
