#pragma once

#include <QDialog>

#include <cstdint>

namespace kobalin {

// Edits one comment line; the caller fills the field and reads it back.
class TBewerkcommentaar : public QDialog {
    Q_OBJECT
public:
    explicit TBewerkcommentaar(QWidget* parent = nullptr);

    std::int32_t taalbasis = 0;
};

}  // namespace kobalin
