#pragma once

#include "wizard/rundata.h"

#include <QDialog>

#include <cstdint>

namespace kobalin {

// Enters one layer, or edits one of the table.
class TLayeredit : public QDialog {
    Q_OBJECT
public:
    explicit TLayeredit(RunData& run, QWidget* parent = nullptr);

    // Set by the caller before each opening.
    std::int32_t taalbasis = 0;
    std::int32_t laagindex = 0;  // the record OK writes; OK raises it by one
    std::int32_t modus = 0;      // below 100: add, else edit

private:
    RunData& run_;
};

}  // namespace kobalin
