#pragma once

#include <QString>

namespace kobalin {

// Gives a window's control its name, by which tests and screen readers find it.
template <class W>
W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

}  // namespace kobalin
