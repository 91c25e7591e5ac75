#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

// Tells whoever started this process, by a line on standard output, that the
// window has been painted for the first time once ready() holds, then ends
// the process.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(
        QWidget* window, std::function<bool()> ready = [] { return true; })
        : ready_(std::move(ready))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_ && ready_()) {
            seen_ = true;
            // Queued, so that it runs once the paint itself is done.
            QMetaObject::invokeMethod(
                this,
                [] {
                    std::fputs("painted\n", stdout);
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> ready_;
    bool seen_ = false;
};
