#include "app/wheel.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPointer>

namespace kobalin {

namespace {

bool changesByWheel(QObject* object) { return qobject_cast<QAbstractSpinBox*>(object) || qobject_cast<QComboBox*>(object); }

class WheelNeedsFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish && changesByWheel(watched)) {
            // Qt gives these the focus for a wheel turn before anything sees it.
            auto* field = static_cast<QWidget*>(watched);
            if (field->focusPolicy() == Qt::WheelFocus)
                field->setFocusPolicy(Qt::StrongFocus);
        } else if (event->type() == QEvent::Wheel && changesByWheel(watched) &&
                   !static_cast<QWidget*>(watched)->hasFocus()) {
            // Not taken: Qt hands a spontaneous turn on to the enclosing widget.
            event->ignore();
            return true;
        }
        return false;
    }
};

}  // namespace

void wheelChangesOnlyTheFocusedField()
{
    static QPointer<WheelNeedsFocus> installed;
    if (!installed) {
        installed = new WheelNeedsFocus(qApp);
        qApp->installEventFilter(installed);
    }
}

}  // namespace kobalin
