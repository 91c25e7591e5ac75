#include "app/fieldfilter.h"

#include <algorithm>

namespace kobalin {

namespace {

bool refused(QChar c) { return c == u';' || c == u'\r' || c == u'\n'; }

}  // namespace

QValidator::State FieldFilter::validate(QString& input, int& pos) const
{
    // Dropped one by one, so that a pasted text keeps everything else.
    const int before = static_cast<int>(std::count_if(input.cbegin(), input.cbegin() + pos, refused));
    input.removeIf(refused);
    pos -= before;
    return Acceptable;
}

}  // namespace kobalin
