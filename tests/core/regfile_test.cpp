#include "app/regfile.h"

#include <gtest/gtest.h>

using kobalin::RegDocument;
using kobalin::RegValue;

namespace {

RegValue dword(std::int32_t v)
{
    RegValue r;
    r.type = RegValue::Type::Dword;
    r.dword = v;
    return r;
}
RegValue text(std::u16string v)
{
    RegValue r;
    r.type = RegValue::Type::String;
    r.text = std::move(v);
    return r;
}
RegValue binary(std::vector<std::uint8_t> v)
{
    RegValue r;
    r.type = RegValue::Type::Binary;
    r.bytes = std::move(v);
    return r;
}

constexpr std::u16string_view kKey = u"HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin";

}  // namespace

TEST(RegFile, WritesTheExportLayoutAPersonCanRead)
{
    RegDocument doc;
    auto& key = doc.obtain(kKey);
    key.set(u"taal", dword(2000));
    key.set(u"koppel", dword(-1));
    key.set(u"meetfile", text(u"C:\\jobs\\\"road\".xml_layer.csv"));
    doc.obtain(std::u16string(kKey) + u"\\template").set(u"100", binary({0x9a, 0x99, 0x99, 0x99, 0x99, 0x99, 0xb9, 0xbf}));

    EXPECT_EQ(doc.serialize(), "Windows Registry Editor Version 5.00\n"
                               "\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n"
                               "\"taal\"=dword:000007d0\n"
                               "\"koppel\"=dword:ffffffff\n"
                               "\"meetfile\"=\"C:\\\\jobs\\\\\\\"road\\\".xml_layer.csv\"\n"
                               "\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin\\template]\n"
                               "\"100\"=hex:9a,99,99,99,99,99,b9,bf\n");
}

TEST(RegFile, EveryValueSurvivesARoundTripWithItsType)
{
    RegDocument doc;
    auto& key = doc.obtain(kKey);
    key.set(u"int", dword(INT32_MIN));
    key.set(u"empty", text(u""));
    key.set(u"odd text", text(u"å ø € \"q\" \\ line\nbreak\r; = [x] \U0001F600 \xD800 lone"));
    key.set(u"bin", binary({}));
    key.set(u"bin8", binary({0, 1, 2, 3, 4, 5, 6, 255}));

    const RegDocument back = RegDocument::parse(doc.serialize());
    EXPECT_FALSE(back.damaged);
    ASSERT_NE(back.find(kKey), nullptr);
    EXPECT_EQ(back.find(kKey)->values, key.values);
}

TEST(RegFile, ReadsWhatAPersonOrRegeditWrites)
{
    // CR LF, upper-case hex, wrapped hex lines, other case in names, a BOM.
    const std::string text = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
                             "[hkey_current_user\\software\\tendrik\\KOBALIN]\r\n"
                             "\"Taal\"=dword:000007D0\r\n"
                             "\"100\"=hex:9a,99,99,99,\\\r\n  99,99,b9,bf\r\n"
                             "\"q\"=hex(b):01,00,00,00,00,00,00,00\r\n";
    const RegDocument doc = RegDocument::parse(text);
    EXPECT_FALSE(doc.damaged);
    const auto* key = doc.find(kKey);
    ASSERT_NE(key, nullptr);
    ASSERT_NE(key->find(u"taal"), nullptr);
    EXPECT_EQ(*key->find(u"taal"), dword(2000));
    EXPECT_EQ(*key->find(u"100"), binary({0x9a, 0x99, 0x99, 0x99, 0x99, 0x99, 0xb9, 0xbf}));
    // A type the program never writes is kept as it stood.
    EXPECT_EQ(key->find(u"q")->type, RegValue::Type::Other);
    EXPECT_NE(RegDocument::parse(doc.serialize()).find(kKey)->find(u"q"), nullptr);
}

TEST(RegFile, ReadsAUtf16ExportFromRegedit)
{
    const std::u16string utf16 =
        u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\r\n\"initdir\"=\"D:\\\\jobs\"\r\n";
    std::string bytes;
    for (char16_t c : utf16) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    const RegDocument doc = RegDocument::parse(bytes);
    EXPECT_FALSE(doc.damaged);
    EXPECT_EQ(*doc.find(kKey)->find(u"initdir"), text(u"D:\\jobs"));
}

TEST(RegFile, DamagedPartsReadAsMissingAndTheRestSurvives)
{
    struct Case {
        const char* what;
        std::string text;
    };
    const std::string head = "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n";
    const Case cases[] = {
        {"no header", "[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n\"ok\"=dword:00000001\n\"taal\"=dword:xyz\n"},
        {"bad dword", head + "\"ok\"=dword:00000001\n\"taal\"=dword:xyz\n"},
        {"too long dword", head + "\"ok\"=dword:00000001\n\"taal\"=dword:123456789\n"},
        {"unterminated string", head + "\"ok\"=dword:00000001\n\"taal\"=\"abc\n"},
        {"junk after string", head + "\"ok\"=dword:00000001\n\"taal\"=\"abc\" junk\n"},
        {"bad hex", head + "\"ok\"=dword:00000001\n\"taal\"=hex:9g,00\n"},
        {"no name", head + "\"ok\"=dword:00000001\ntaal=dword:00000001\n"},
        {"unterminated section", head + "\"ok\"=dword:00000001\n[HKEY_CURRENT_USER\\x\n\"taal\"=dword:00000001\n"},
        {"invalid utf-8", head + "\"ok\"=dword:00000001\n\"taal\"=\"\xC3\x28\"\n"},
        {"a comment line", head + "\"ok\"=dword:00000001\n; taal=2000\n"},
        {"binary zeros", head + "\"ok\"=dword:00000001\n" + std::string("\0\0\0", 3) + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RegDocument doc = RegDocument::parse(c.text);
        EXPECT_TRUE(doc.damaged);
        const auto* key = doc.find(kKey);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(*key->find(u"ok"), dword(1));
        const RegValue* taal = key->find(u"taal");
        if (taal) {  // only a string may survive, and then only in a readable form
            EXPECT_EQ(taal->type, RegValue::Type::String);
        }
    }
}

TEST(RegFile, EmptyOrRandomBytesNeverFail)
{
    EXPECT_TRUE(RegDocument::parse("").keys.empty());
    EXPECT_FALSE(RegDocument::parse("").damaged);
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 7919) % 256);
    const RegDocument doc = RegDocument::parse(noise);
    EXPECT_TRUE(doc.damaged);
}

TEST(RegFile, AUtf16ExportCutInsideACharacterIsDamagedButKeepsWhatItHolds)
{
    const std::u16string utf16 =
        u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\r\n\"koppel\"=dword:00000001\r\n";
    std::string bytes;
    for (char16_t c : utf16) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    EXPECT_FALSE(RegDocument::parse(bytes).damaged);
    bytes += '\n';  // half of the next character
    const RegDocument doc = RegDocument::parse(bytes);
    EXPECT_TRUE(doc.damaged);
    ASSERT_NE(doc.find(kKey), nullptr);
    EXPECT_EQ(*doc.find(kKey)->find(u"koppel"), dword(1));
}

TEST(RegFile, AValueWrappedOverManyLinesIsReadWhole)
{
    std::string file =
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n\"big\"=hex:";
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 5000; ++i) {
        file += "2a,\\\n  ";
        expected.push_back(0x2a);
    }
    file += "01\n\"after\"=\"x\"\n";
    expected.push_back(0x01);
    const RegDocument doc = RegDocument::parse(file);
    EXPECT_FALSE(doc.damaged);
    ASSERT_NE(doc.find(kKey), nullptr);
    EXPECT_EQ(*doc.find(kKey)->find(u"big"), binary(expected));
    EXPECT_EQ(*doc.find(kKey)->find(u"after"), text(u"x"));
}

TEST(RegFile, ANameOrKeyGivenTwiceIsOneInItsFirstPlaceWithItsLastValue)
{
    struct Case {
        const char* what;
        std::string text;
        std::string read;  // as written back
    };
    const std::string header = "Windows Registry Editor Version 5.00\n";
    const Case cases[] = {
        {"a name twice", header + "[K]\n\"a\"=dword:00000001\n\"b\"=dword:00000002\n\"a\"=dword:00000003\n",
         header + "\n[K]\n\"a\"=dword:00000003\n\"b\"=dword:00000002\n"},
        {"a name in other case", header + "[K]\n\"taal\"=dword:00000001\n\"b\"=dword:00000002\n\"TAAL\"=\"x\"\n",
         header + "\n[K]\n\"taal\"=\"x\"\n\"b\"=dword:00000002\n"},
        {"a key twice, in other case",
         header + "[K]\n\"a\"=dword:00000001\n[L]\n\"a\"=dword:00000002\n[k]\n\"c\"=dword:00000003\n\"A\"=dword:00000004\n",
         header + "\n[K]\n\"a\"=dword:00000004\n\"c\"=dword:00000003\n\n[L]\n\"a\"=dword:00000002\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RegDocument doc = RegDocument::parse(c.text);
        EXPECT_FALSE(doc.damaged);
        EXPECT_EQ(doc.serialize(), c.read);
    }
}

TEST(RegFile, AFullTemplateListReadsBackValueForValue)
{
    // 700 values, as 100 templates of seven: every one found by its name in either case.
    RegDocument doc;
    auto& key = doc.obtain(kKey);
    for (int i = 0; i < 700; ++i) {
        const std::string name = std::to_string(i);
        key.set(std::u16string(name.begin(), name.end()), dword(i));
    }
    key.set(u"aantal", dword(100));
    const RegDocument back = RegDocument::parse(doc.serialize());
    ASSERT_NE(back.find(kKey), nullptr);
    EXPECT_EQ(back.find(kKey)->values, key.values);
    EXPECT_EQ(*back.find(kKey)->find(u"AANTAL"), dword(100));
}
