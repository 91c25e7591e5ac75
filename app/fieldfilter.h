#pragma once

#include <QValidator>

namespace kobalin {

// Drops, as they are typed or pasted, the characters that would break a line
// of the layer file: the field separator ";" and line breaks.
class FieldFilter : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace kobalin
