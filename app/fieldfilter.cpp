#include "app/fieldfilter.h"

namespace kobalin {

QValidator::State FieldFilter::validate(QString& input, int&) const
{
    for (const QChar c : input)
        if (c == u';' || c == u'\r' || c == u'\n')
            return Invalid;
    return Acceptable;
}

}  // namespace kobalin
