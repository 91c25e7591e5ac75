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
    connect(up, &QToolButton::clicked, this, &SpinButton::upClicked);
    connect(down, &QToolButton::clicked, this, &SpinButton::downClicked);
}

}  // namespace kobalin
