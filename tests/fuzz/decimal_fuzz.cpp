// Decimal fields take whatever the user types or pastes. The input's bytes are
// read as UTF-8 (lone surrogates included, so every UTF-16 text is reachable).
#include "app/utf8.h"
#include "wizard/decimal.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kobalin;

namespace {

[[noreturn]] void broken(const char* rule, double value)
{
    std::fprintf(stderr, "decimal field: %s (%a)\n", rule, value);
    std::abort();
}

// The field's text must be exactly what C's "%7.2f" gives (the fuzzer runs in the C locale).
void checkField(double value)
{
    char expected[64];
    const int length = std::snprintf(expected, sizeof expected, "%7.2f", value);
    if (length < 0 || length >= static_cast<int>(sizeof expected))
        broken("a single-precision value does not fit the reference buffer", value);
    const std::u16string field = formatField(value);
    if (field != std::u16string(expected, expected + length))
        broken("the field differs from %7.2f", value);
    // The editor reads its own field back (spin steps start from the text).
    const auto again = readDecimal(field);
    if (!again)
        broken("a formatted field cannot be read back", value);
    if (std::fabs(*again - value) > 0.0050001 + std::fabs(value) * 1e-15)
        broken("a formatted field reads back as another value", value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text = fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto value = readDecimal(text);
    if (!value)
        return 0;
    if (!std::isfinite(*value) || std::fabs(*value) > FLT_MAX)
        broken("accepted a value beyond single precision", *value);
    const float narrowed = static_cast<float>(*value);
    if (!std::isfinite(narrowed))
        broken("accepted a value that is not finite in single precision", *value);
    if (text.find_first_of(u",") != std::u16string::npos)
        broken("accepted a decimal comma", *value);
    checkField(*value);
    checkField(narrowed);
    return 0;
}
