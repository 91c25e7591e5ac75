// The sentences the program composes around a value: which sentence, in which
// language, and that the values land whole where their placeholders were.

#include "app/atomicfile.h"
#include "app/settings.h"
#include "i18n/catalogue.h"
#include "i18n/messages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kobalin {
namespace {

TEST(Messages, FillInReplacesEachPlaceholderOnce)
{
    struct Case {
        std::u16string_view text;
        std::initializer_list<std::u16string_view> values;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"%2, the first is line %1", {u"3", u"12"}, u"12, the first is line 3"},
        {u"%1%1", {u"3"}, u"33"},
        // A value that holds a placeholder of its own (a path may) is not filled in again.
        {u"%1 and %2", {u"C:\\%2\\a", u"b"}, u"C:\\%2\\a and b"},
        // Nothing to put in place of %3, and percents that are no placeholders.
        {u"%3 at 100% and %", {u"3", u"12"}, u"%3 at 100% and %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fillIn(c.text, c.values), c.expected);
}

TEST(Messages, ANumberWithADecimalCommaAsksForAPoint)
{
    struct Case {
        std::int32_t base;
        std::u16string_view typed;
        std::u16string expected;
    };
    const Case cases[] = {
        {kEnglish, u"-0,15",
         u"Offset (m): \"-0,15\" is written with a decimal comma. Use a point (.) as the decimal mark: -0.15"},
        // The spaces the reader allows stay in the quote, not in the number to type.
        {kDutch, u" 0,5 ",
         u"Offset (m): \" 0,5 \" is geschreven met een decimale komma. Gebruik een punt (.) als decimaalteken: 0.5"},
        // Two commas, a comma with nothing around it, a comma and a point: no number either way.
        {kEnglish, u"1,2,3", u"Offset (m): \"1,2,3\" is not a valid number"},
        {kEnglish, u",", u"Offset (m): \",\" is not a valid number"},
        {kEnglish, u"1,000.5", u"Offset (m): \"1,000.5\" is not a valid number"},
        {kNorwegian, u"abc", u"Offset (m): \"abc\" er ikke et gyldig tall"},
        {kSwedish, u"", u"Offset (m): \"\" \u00E4r inte ett giltigt tal"},
        // A base without texts (a hand-edited setting) still gets a sentence.
        {7000, u"x", u"Offset (m): \"x\" is not a valid number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.base);
        EXPECT_EQ(unreadableNumberMessage(c.base, u"Offset (m)", c.typed), c.expected);
    }
}

TEST(Messages, AFailedWriteIsToldInTheRunsLanguageWithTheSystemsReason)
{
    const FileWriteError file("Cannot write /a/b.csv: close failed (No space left)", u"/a/b.csv", "No space left");
    const SettingsError settings("...", SettingsError::Kind::NotSaved, u"/home/x/.config/Tendrik/kobalin.reg",
                                 "Permission denied");
    const SettingsError wrongType("Invalid data type for 'aantal'", SettingsError::Kind::WrongType, u"aantal");
    struct Case {
        std::int32_t base;
        const std::exception& error;
        std::u16string expected;
    };
    const Case cases[] = {
        {kEnglish, file, u"The file could not be written: /a/b.csv\nNo space left"},
        {kDanish, file, u"Filen kunne ikke skrives: /a/b.csv\nNo space left"},
        {kFrench, settings,
         u"Les r\u00E9glages n'ont pas pu \u00EAtre enregistr\u00E9s dans /home/x/.config/Tendrik/kobalin.reg\u00A0:\n"
         u"Permission denied"},
        {kDutch, wrongType, u"De instelling \"aantal\" heeft een waarde van het verkeerde type"},
        {0, wrongType, u"The setting \"aantal\" holds a value of the wrong type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.base);
        EXPECT_EQ(errorMessage(c.base, c.error), c.expected);
    }
    // Any other error, and one that names no file, says what it says itself.
    EXPECT_EQ(errorMessage(kDanish, std::out_of_range("comment line out of range")), u"comment line out of range");
    EXPECT_EQ(errorMessage(kDanish, FileWriteError("the layer file was not written")), u"the layer file was not written");
}

}  // namespace
}  // namespace kobalin
