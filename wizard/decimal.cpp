#include "wizard/decimal.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace kobalin {

namespace {

// The number without the spaces and tabs around it and without a leading "+".
std::u16string_view bare(std::u16string_view text)
{
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == u'+')
        text.remove_prefix(1);
    return text;
}

}  // namespace

std::optional<double> readDecimal(std::u16string_view text)
{
    text = bare(text);
    if (text.empty() || text.size() > 64)
        return std::nullopt;

    std::array<char, 64> ascii;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Only digits, the mark, a sign and an exponent make a number here.
        const char16_t c = text[i];
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'e' || c == u'E';
        if (!allowed)
            return std::nullopt;
        ascii[i] = static_cast<char>(c);
    }
    const char* last = ascii.data() + text.size();
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> readCount(std::u16string_view text)
{
    text = bare(text);
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        // Leading zeros may be many; the value stops growing past the range.
        value = std::min<std::int64_t>(value * 10 + (c - u'0'), std::int64_t{kMostCount} + 1);
    }
    if (value < kLeastCount || value > kMostCount)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string formatFixed2(double value, int width)
{
    char buffer[400];  // the longest double in fixed notation fits easily
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::u16string formatFixed2u(double value, int width)
{
    const std::string text = formatFixed2(value, width);
    return std::u16string(text.begin(), text.end());
}

}  // namespace kobalin
