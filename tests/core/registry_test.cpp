// The settings store against the registry itself: the types and bytes it
// leaves there, and what it makes of values that other programs wrote.
#ifdef _WIN32

#include "app/settings.h"
#include "app/utf8.h"
#include "app/winerror.h"

#include "freshsettings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <windows.h>

using namespace kobalin;

namespace {

const wchar_t* const kKeyPath = L"SOFTWARE\\Tendrik\\kobalin";

struct RawValue {
    LSTATUS status = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::vector<unsigned char> bytes;
};

RawValue readRaw(const wchar_t* keyPath, const wchar_t* name)
{
    RawValue raw;
    HKEY key = nullptr;
    raw.status = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, &key);
    if (raw.status != ERROR_SUCCESS)
        return raw;
    DWORD size = 0;
    raw.status = RegQueryValueExW(key, name, nullptr, &raw.type, nullptr, &size);
    if (raw.status == ERROR_SUCCESS) {
        raw.bytes.resize(size);
        raw.status = RegQueryValueExW(key, name, nullptr, &raw.type, raw.bytes.data(), &size);
        raw.bytes.resize(size);
    }
    RegCloseKey(key);
    return raw;
}

void writeRaw(const wchar_t* name, DWORD type, const std::vector<unsigned char>& bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    RegCloseKey(key);
}

std::vector<unsigned char> utf16Bytes(std::u16string_view text)
{
    std::vector<unsigned char> bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xff));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

}  // namespace

using Registry = FreshSettings;

TEST_F(Registry, EachValueIsStoredWithItsRegistryType)
{
    {
        auto key = openSettingsKey(kSettingsKey);
        key->writeInteger(u"taal", 1000);
        key->writeInteger(u"koppel", -2);
        key->writeString(u"meetfile", u"C:\\jobs\\weg å.xml_layer.csv");
        key->close();
    }
    {
        auto templates = openSettingsKey(kTemplateKey);
        templates->writeFloat(u"100", -0.1);
        templates->close();
    }

    const RawValue taal = readRaw(kKeyPath, L"taal");
    ASSERT_EQ(taal.status, ERROR_SUCCESS);
    EXPECT_EQ(taal.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(taal.bytes, (std::vector<unsigned char>{0xe8, 0x03, 0x00, 0x00}));

    const RawValue koppel = readRaw(kKeyPath, L"koppel");
    EXPECT_EQ(koppel.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(koppel.bytes, (std::vector<unsigned char>{0xfe, 0xff, 0xff, 0xff}));

    const RawValue meetfile = readRaw(kKeyPath, L"meetfile");
    ASSERT_EQ(meetfile.status, ERROR_SUCCESS);
    EXPECT_EQ(meetfile.type, static_cast<DWORD>(REG_SZ));
    std::vector<unsigned char> expected = utf16Bytes(u"C:\\jobs\\weg å.xml_layer.csv");
    expected.insert(expected.end(), {0, 0});  // stored with its terminator, as other readers expect
    EXPECT_EQ(meetfile.bytes, expected);

    const RawValue offset = readRaw(L"SOFTWARE\\Tendrik\\kobalin\\template", L"100");
    ASSERT_EQ(offset.status, ERROR_SUCCESS);
    EXPECT_EQ(offset.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(offset.bytes, (std::vector<unsigned char>{0x9a, 0x99, 0x99, 0x99, 0x99, 0x99, 0xb9, 0xbf}));
}

struct ForeignValue {
    const char* what;
    DWORD type;
    std::vector<unsigned char> bytes;
    std::optional<std::int32_t> integer;
    std::optional<double> number;
    std::optional<std::u16string> text;
};

class ForeignValues : public FreshSettings, public ::testing::WithParamInterface<ForeignValue> {};

TEST_P(ForeignValues, AreReadOnlyWithTheirOwnTypeAndSize)
{
    const ForeignValue& v = GetParam();
    writeRaw(L"value", v.type, v.bytes);
    auto key = openSettingsKey(kSettingsKey);
    EXPECT_EQ(key->readInteger(u"value"), v.integer);
    EXPECT_EQ(key->readFloat(u"value"), v.number);
    EXPECT_EQ(key->readString(u"value"), v.text);
}

std::vector<unsigned char> operator+(std::vector<unsigned char> a, const std::vector<unsigned char>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Registry, ForeignValues,
    ::testing::Values(
        ForeignValue{"dword", REG_DWORD, {0xd0, 0x07, 0, 0}, 2000, std::nullopt, std::nullopt},
        ForeignValue{"short dword", REG_DWORD, {0xd0, 0x07}, std::nullopt, std::nullopt, std::nullopt},
        ForeignValue{"long dword", REG_DWORD, {0xd0, 0x07, 0, 0, 0, 0, 0, 0}, std::nullopt, std::nullopt, std::nullopt},
        ForeignValue{"big-endian dword", REG_DWORD_BIG_ENDIAN, {0, 0, 0x07, 0xd0}, std::nullopt, std::nullopt, std::nullopt},
        ForeignValue{"qword", REG_QWORD, {0xd0, 0x07, 0, 0, 0, 0, 0, 0}, std::nullopt, std::nullopt, std::nullopt},
        ForeignValue{"double",
                     REG_BINARY,
                     {0x9a, 0x99, 0x99, 0x99, 0x99, 0x99, 0xb9, 0xbf},
                     std::nullopt,
                     -0.1,
                     std::nullopt},
        ForeignValue{"short binary", REG_BINARY, {0, 0, 0, 0}, std::nullopt, std::nullopt, std::nullopt},
        ForeignValue{"long binary", REG_BINARY, {0, 0, 0, 0, 0, 0, 0xf0, 0x3f, 0}, std::nullopt, std::nullopt, std::nullopt},
        ForeignValue{"string", REG_SZ, utf16Bytes(u"2000") + std::vector<unsigned char>{0, 0}, std::nullopt, std::nullopt,
                     u"2000"},
        ForeignValue{"string without terminator", REG_SZ, utf16Bytes(u"abc"), std::nullopt, std::nullopt, u"abc"},
        ForeignValue{"string of odd size", REG_SZ, utf16Bytes(u"abc") + std::vector<unsigned char>{0x41}, std::nullopt,
                     std::nullopt, u"abc"},
        ForeignValue{"string of one byte", REG_SZ, {0x41}, std::nullopt, std::nullopt, u""},
        ForeignValue{"empty string", REG_SZ, {}, std::nullopt, std::nullopt, u""},
        ForeignValue{"string with a NUL inside", REG_SZ, utf16Bytes(std::u16string(u"ab\0cd", 5)), std::nullopt,
                     std::nullopt, u"ab"},
        ForeignValue{"long string", REG_SZ, utf16Bytes(std::u16string(5000, u'x')), std::nullopt, std::nullopt,
                     std::u16string(5000, u'x')},
        ForeignValue{"expandable string", REG_EXPAND_SZ, utf16Bytes(u"%TEMP%") + std::vector<unsigned char>{0, 0},
                     std::nullopt, std::nullopt, std::nullopt},
        ForeignValue{"multi-string", REG_MULTI_SZ, utf16Bytes(u"a") + std::vector<unsigned char>{0, 0, 0, 0}, std::nullopt,
                     std::nullopt, std::nullopt}),
    [](const ::testing::TestParamInfo<ForeignValue>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            name += (*c == ' ' || *c == '-') ? '_' : *c;
        return name;
    });

TEST_F(Registry, AMissingValueFailsExceptAString)
{
    auto key = openSettingsKey(kSettingsKey);
    EXPECT_EQ(readRaw(kKeyPath, L"taal").status, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(key->readInteger(u"taal"));
    EXPECT_FALSE(key->readFloat(u"taal"));
    EXPECT_EQ(key->readString(u"taal"), u"");
}

TEST_F(Registry, EveryTestStartsWithoutTheKey)
{
    openSettingsKey(kTemplateKey)->writeInteger(u"aantal", 1);
    ASSERT_EQ(readRaw(L"SOFTWARE\\Tendrik\\kobalin\\template", L"aantal").status, ERROR_SUCCESS);
    const std::filesystem::path first = folder;
    SetUp();
    std::filesystem::remove_all(first);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_QUERY_VALUE, &key), ERROR_FILE_NOT_FOUND);
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(Registry, AKeyThatCannotBeOpenedReadsAsMissingAndRefusesWrites)
{
    // A volatile key cannot have a lasting subkey: the template key cannot be created.
    HKEY parent = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &parent,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(parent);

    struct Case {
        std::u16string keyPath;
        const wchar_t* rawPath;
    };
    for (const Case& c : {Case{std::u16string(kTemplateKey), L"SOFTWARE\\Tendrik\\kobalin\\template"},
                          Case{u"\\SOFTWARE\\Tendrik\\kobalin", L"\\SOFTWARE\\Tendrik\\kobalin"}}) {
        SCOPED_TRACE(toUtf8(c.keyPath));
        HKEY raw = nullptr;
        const LSTATUS why = RegCreateKeyExW(HKEY_CURRENT_USER, c.rawPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                                            nullptr);
        ASSERT_NE(why, ERROR_SUCCESS);

        auto key = openSettingsKey(c.keyPath);
        EXPECT_FALSE(key->readInteger(u"aantal"));
        EXPECT_FALSE(key->readFloat(u"100"));
        EXPECT_EQ(key->readString(u"0"), u"");
        try {
            key->writeInteger(u"aantal", 1);
            ADD_FAILURE() << "the write succeeded";
        } catch (const SettingsError& e) {
            EXPECT_TRUE(contains(e.what(), "'aantal'")) << e.what();
            EXPECT_TRUE(contains(e.what(), windowsErrorMessage(static_cast<unsigned long>(why)))) << e.what();
        }
        EXPECT_THROW(key->writeFloat(u"100", 1.0), SettingsError);
        EXPECT_THROW(key->writeString(u"0", u"A"), SettingsError);
    }
}

TEST_F(Registry, AFailedWriteSaysWhichValueAndWhy)
{
    const std::u16string tooLong(20000, u'n');  // beyond the registry's limit for a value name
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    const DWORD one = 1;
    const LSTATUS why = RegSetValueExW(raw, reinterpret_cast<const wchar_t*>(tooLong.c_str()), 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&one), sizeof one);
    RegCloseKey(raw);
    ASSERT_NE(why, ERROR_SUCCESS);

    auto key = openSettingsKey(kSettingsKey);
    try {
        key->writeInteger(tooLong, 1);
        ADD_FAILURE() << "the write succeeded";
    } catch (const SettingsError& e) {
        EXPECT_TRUE(contains(e.what(), "'" + toUtf8(tooLong) + "'"));
        EXPECT_TRUE(contains(e.what(), windowsErrorMessage(static_cast<unsigned long>(why))))
            << windowsErrorMessage(static_cast<unsigned long>(why));
    }
    // The key itself still takes values.
    key->writeInteger(u"taal", 2000);
    EXPECT_EQ(key->readInteger(u"taal"), 2000);
    key->close();
    EXPECT_THROW(key->writeInteger(u"taal", 3000), SettingsError);
    EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"taal"), 2000);
}

#endif  // _WIN32
