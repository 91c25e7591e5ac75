#pragma once

#include "layeredit/layeredit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <ostream>

// What the layer editor's seven fields show, as a person reads them.
struct Shown {
    QString name, offset;
    int passes, extra;
    QString speed;
    int speedDiff, cmv;
    friend bool operator==(const Shown&, const Shown&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Shown& s)
    {
        return out << s.name.toStdString() << "|" << s.offset.toStdString() << "|" << s.passes << "|" << s.extra << "|"
                   << s.speed.toStdString() << "|" << s.speedDiff << "|" << s.cmv;
    }
};

inline Shown shown(kobalin::TLayeredit& d)
{
    return {d.ComboBox1->currentText(), d.Edit2->text(),      d.CSpinEdit1->value(), d.CSpinEdit2->value(), d.Edit1->text(),
            d.CSpinEdit3->value(),      d.CSpinEdit4->value()};
}
