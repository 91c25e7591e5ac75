#include "wizard/decimal.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <locale>

using namespace kobalin;

TEST(DecimalFields, ReadsNumbersWithAPointWhateverTheLocale)
{
    struct Case {
        std::u16string text;
        double value;
    };
    const Case cases[] = {
        {u"-0.10", -0.1}, {u"   0.30", 0.3}, {u"2.5 ", 2.5}, {u"12", 12},         {u"+1.5", 1.5},      {u".5", 0.5},
        {u"5.", 5},       {u"1e3", 1000},    {u"-0", -0.0},  {u"\t7.25\t", 7.25}, {u"3.4e38", 3.4e38},
    };
    // A locale with "," as its decimal mark must not change how fields are read.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string restore = previous ? previous : "C";
    const bool commaLocale = std::setlocale(LC_ALL, "nl_NL.UTF-8") && *std::localeconv()->decimal_point == ',';
    for (const Case& c : cases)
        EXPECT_EQ(readDecimal(c.text), c.value) << std::string(c.text.begin(), c.text.end());
    EXPECT_EQ(readDecimal(u"1,5"), std::nullopt);
    std::setlocale(LC_ALL, restore.c_str());
    if (!commaLocale)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
}

TEST(DecimalFields, RefusesWhatIsNotAFiniteSinglePrecisionNumber)
{
    for (std::u16string text : {u"", u"   ", u"abc", u"1,5", u"1.5.2", u"--1", u"1e", u"nan", u"inf", u"-inf", u"1e39",
                                u"-1e39", u"3.5e38", u"0x10", u"1 2", u"١٢", u"1e99999", u"٫5"}) {
        EXPECT_EQ(readDecimal(text), std::nullopt) << std::string(text.begin(), text.end());
    }
}

TEST(DecimalFields, FormatsAsCsSevenPointTwo)
{
    struct Case {
        double value;
        std::string seven;  // "%7.2f"
        std::string plain;  // "%.2f"
    };
    const Case cases[] = {
        {-0.1, "  -0.10", "-0.10"},
        {0.3, "   0.30", "0.30"},
        {2.6, "   2.60", "2.60"},
        {12, "  12.00", "12.00"},
        {static_cast<float>(0.1), "   0.10", "0.10"},
        {-0.001, "  -0.00", "-0.00"},
        {0.125, "   0.12", "0.12"},  // ties round to even, as C does
        {0.375, "   0.38", "0.38"},
        {1234567.891, "1234567.89", "1234567.89"},
        {-1e30, "-1000000000000000019884624838656.00", "-1000000000000000019884624838656.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatFixed2(c.value, 7), c.seven);
        EXPECT_EQ(formatFixed2(c.value), c.plain);
    }
    EXPECT_EQ(formatFixed2(DBL_MAX).size(), 312u);
    EXPECT_EQ(formatField(-0.1), u"  -0.10");
}

TEST(DecimalFields, SpinStepsStartFromTheTwoDecimalText)
{
    auto step = [](std::u16string text, double by) { return formatField(*readDecimal(text) + by); };
    EXPECT_EQ(step(u"-0.10", 0.1), u"   0.00");
    EXPECT_EQ(step(u"-0.10", -0.01), u"  -0.11");
    EXPECT_EQ(step(u"1", 0.01), u"   1.01");
    EXPECT_EQ(step(u"2.5", 0.1), u"   2.60");
}
