#pragma once

#include "i18n/catalogue.h"

#include <QString>

#include <string>
#include <string_view>

namespace kobalin {

inline QString qs(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string us(const QString& text) { return text.toStdU16String(); }

// Catalogue text k in the language with the given base.
inline QString catalogue(std::int32_t base, std::int32_t k) { return qs(catalogueText(base, k)); }

}  // namespace kobalin
