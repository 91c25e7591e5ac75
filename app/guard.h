#pragma once

#include "app/prompts.h"
#include "app/qtext.h"
#include "i18n/messages.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QString>
#include <QWidget>

#include <exception>
#include <functional>
#include <utility>

namespace kobalin {

// Runs one event handler. An error escaping it is shown in the standard error
// box and the handler ends there; nothing is thrown into Qt's event loop.
template <class F>
void guarded(QWidget* parent, F&& handler) noexcept
{
    try {
        try {
            std::forward<F>(handler)();
        } catch (const std::exception& e) {
            prompts().error(parent, qs(errorMessage(runLanguage(), e)));
        } catch (...) {
            prompts().error(parent, QString());
        }
    } catch (...) {
        // The error box itself failed (out of memory): nothing more can be shown.
    }
}

// Connects a signal of sender to a handler of window, guarded.
template <class Sender, class Signal, class Window>
void onEvent(Sender* sender, Signal signal, Window* window, void (Window::*handler)())
{
    QObject::connect(sender, signal, window, [window, handler] { guarded(window, [&] { (window->*handler)(); }); });
}

enum class Activation { Mouse, MouseOrKeyboard };

// Runs a handler of window when target is clicked with the left mouse button
// (or, if asked, activated with Enter or Space while it has the focus); for
// controls that have no click signal of their own (fields, panels).
template <class Window>
void onClick(QWidget* target, Window* window, void (Window::*handler)(), Activation how = Activation::Mouse)
{
    class ClickFilter : public QObject {
    public:
        ClickFilter(QObject* parent, Activation how, std::function<void()> run)
            : QObject(parent), how_(how), run_(std::move(run))
        {
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                run_();
            } else if (event->type() == QEvent::KeyPress && how_ == Activation::MouseOrKeyboard) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                    run_();
                    return true;
                }
            }
            return false;
        }

    private:
        Activation how_;
        std::function<void()> run_;
    };
    target->installEventFilter(
        new ClickFilter(target, how, [window, handler] { guarded(window, [&] { (window->*handler)(); }); }));
}

}  // namespace kobalin
