#include "app/look.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

namespace kobalin {

QFont tahoma(int pixelSize, bool italic)
{
    // Asked for by name only where it is installed: a missing family makes
    // every font look-up search the fallbacks, which slows the start a lot.
    static const QString family = QFontDatabase::hasFamily("Tahoma")
                                      ? QStringLiteral("Tahoma")
                                      : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    return font;
}

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

void resizeAtLeast(QWidget* window, QSize designed)
{
    // Nested layouts learn of new texts through posted events; settle them
    // first, or the size needed would be that of the old texts.
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    window->resize(designed.expandedTo(window->minimumSizeHint()));
}

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
