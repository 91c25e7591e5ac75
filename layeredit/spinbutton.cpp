#include "layeredit/spinbutton.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kobalin {

SpinButton::SpinButton(QWidget* parent) : QWidget(parent)
{
    up = new QToolButton(this);
    up->setObjectName("up");
    up->setArrowType(Qt::UpArrow);
    down = new QToolButton(this);
    down->setObjectName("down");
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
        b->setFixedWidth(17);
    }
    // As high as the field beside it, whatever the font.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { fire(up, &SpinButton::upClicked); });
    connect(down, &QToolButton::clicked, this, [this] { fire(down, &SpinButton::downClicked); });
}

void SpinButton::fire(QToolButton* button, void (SpinButton::*clicked)())
{
    // A button held down repeats its click, also while a message box that the
    // last click opened is waiting: that repeat is dropped and the button let
    // go, so that one click shows at most one box.
    if (busy_) {
        button->setDown(false);
        return;
    }
    busy_ = true;
    struct Done {
        bool& busy;
        ~Done() { busy = false; }
    } done{busy_};
    emit(this->*clicked)();
}

}  // namespace kobalin
