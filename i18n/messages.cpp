#include "i18n/messages.h"

#include "app/atomicfile.h"
#include "app/settings.h"
#include "app/utf8.h"
#include "i18n/catalogue.h"
#include "wizard/decimal.h"

#include <algorithm>

namespace kobalin {

namespace {

std::int32_t language = kEnglish;

// An error must never be an empty box: a base without texts (a hand-edited
// setting) falls back to English for these sentences.
std::u16string_view sentence(std::int32_t base, std::int32_t k)
{
    const std::u16string_view text = catalogueText(base, k);
    return text.empty() ? catalogueText(kEnglish, k) : text;
}

}  // namespace

std::int32_t runLanguage() { return language; }

void setRunLanguage(std::int32_t base) { language = base; }

std::u16string fillIn(std::u16string_view text, std::initializer_list<std::u16string_view> values)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool placeholder = text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9';
        const std::size_t n = placeholder ? static_cast<std::size_t>(text[i + 1] - u'1') : 0;
        if (placeholder && n < values.size()) {
            out += *(values.begin() + n);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::u16string unreadableNumberMessage(std::int32_t base, std::u16string_view field, std::u16string_view text)
{
    // A comma where the point belongs is the likeliest slip on a keyboard of
    // a country that writes decimals with one; say so, with the number as it
    // must be typed.
    if (std::count(text.begin(), text.end(), u',') == 1) {
        std::u16string pointed(text);
        std::replace(pointed.begin(), pointed.end(), u',', u'.');
        if (readDecimal(pointed)) {
            const auto first = pointed.find_first_not_of(u' ');
            const auto last = pointed.find_last_not_of(u' ');
            return fillIn(sentence(base, 151), {field, text, std::u16string_view(pointed).substr(first, last - first + 1)});
        }
    }
    return fillIn(sentence(base, 150), {field, text});
}

std::u16string errorMessage(std::int32_t base, const std::exception& error)
{
    if (const auto* e = dynamic_cast<const FileWriteError*>(&error); e && !e->path().empty())
        return fillIn(sentence(base, 152), {e->path(), fromUtf8(e->reason())});
    if (const auto* e = dynamic_cast<const SettingsError*>(&error); e && !e->where().empty()) {
        if (e->kind() == SettingsError::Kind::WrongType)
            return fillIn(sentence(base, 154), {e->where()});
        return fillIn(sentence(base, 153), {e->where(), fromUtf8(e->reason())});
    }
    return fromUtf8(error.what());
}

}  // namespace kobalin
