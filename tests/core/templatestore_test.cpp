#include "layeredit/templatestore.h"

#include "app/settings.h"
#include "freshsettings.h"

#include <gtest/gtest.h>

using namespace kobalin;

namespace {

LayerTemplate entry(std::u16string name, double offset = 0.3, std::int32_t base = 1)
{
    return {std::move(name), offset, base, base + 1, offset * 10, base + 2, base + 3};
}

std::u16string n16(int i)
{
    const std::string s = std::to_string(i);
    return std::u16string(s.begin(), s.end());
}

}  // namespace

using TemplateStore = FreshSettings;

TEST_F(TemplateStore, TheFirstAddWritesEntryZeroWithItsTypes)
{
    EXPECT_EQ(templateCount(), 0);
    EXPECT_TRUE(templateNames().empty());
    ASSERT_TRUE(addTemplate({u"Top", -0.1, 4, 1, 3.5, 1, 80}));

    auto key = openSettingsKey(kTemplateKey);
    EXPECT_EQ(key->readInteger(u"aantal"), 1);
    EXPECT_EQ(key->readString(u"0"), u"Top");
    EXPECT_EQ(key->readFloat(u"100"), -0.1);
    EXPECT_EQ(key->readInteger(u"200"), 4);
    EXPECT_EQ(key->readInteger(u"300"), 1);
    EXPECT_EQ(key->readFloat(u"400"), 3.5);
    EXPECT_EQ(key->readInteger(u"500"), 1);
    EXPECT_EQ(key->readInteger(u"600"), 80);
    // Each value has its own type: a double is no integer and the reverse.
    EXPECT_FALSE(key->readInteger(u"100"));
    EXPECT_FALSE(key->readFloat(u"200"));
    EXPECT_FALSE(key->readInteger(u"0"));
    // Nothing else is written to the settings key.
    EXPECT_FALSE(openSettingsKey(kSettingsKey)->readInteger(u"aantal"));
}

TEST_F(TemplateStore, HoldsAtMostAHundredEntries)
{
    for (int i = 0; i < 99; ++i) {
        std::u16string name = u"E";
        ASSERT_TRUE(addTemplate(entry(name += n16(i), i / 100.0)));
    }
    EXPECT_TRUE(addTemplate(entry(u"last", 0.5)));
    EXPECT_EQ(templateCount(), 100);
    EXPECT_EQ(templateNames().back(), u"last");
    auto key = openSettingsKey(kTemplateKey);
    EXPECT_EQ(key->readString(u"99"), u"last");
    EXPECT_EQ(key->readInteger(u"699"), 4);

    EXPECT_FALSE(addTemplate(entry(u"one too many")));
    EXPECT_EQ(templateCount(), 100);
    auto after = openSettingsKey(kTemplateKey);
    EXPECT_EQ(after->readFloat(u"100"), 0.0) << "entry 0's offset is not taken for entry 100's name";
    EXPECT_EQ(after->readString(u"99"), u"last");
}

TEST_F(TemplateStore, RemovingClosesTheGapAndLeavesTheOldLastEntryBehind)
{
    addTemplate(entry(u"A", 0.1, 10));
    addTemplate(entry(u"B", 0.2, 20));
    addTemplate(entry(u"C", 0.3, 30));
    removeTemplate(1);
    EXPECT_EQ(templateNames(), (std::vector<std::u16string>{u"A", u"C"}));
    const TemplateValues moved = readTemplate(1);
    EXPECT_EQ(moved.offset, 0.3);
    EXPECT_EQ(moved.compactionTarget, 33);
    auto key = openSettingsKey(kTemplateKey);
    EXPECT_EQ(key->readString(u"2"), u"C");
    EXPECT_EQ(key->readInteger(u"602"), 33);

    addTemplate(entry(u"D", 0.4, 40));
    EXPECT_EQ(templateNames(), (std::vector<std::u16string>{u"A", u"C", u"D"}));
    EXPECT_EQ(openSettingsKey(kTemplateKey)->readInteger(u"602"), 43);

    removeTemplate(2);  // the last: nothing moves
    EXPECT_EQ(templateNames(), (std::vector<std::u16string>{u"A", u"C"}));
    removeTemplate(5);  // not an entry
    removeTemplate(-1);
    EXPECT_EQ(templateCount(), 2);
}

TEST_F(TemplateStore, AnUnreadableValueStopsARemovalBeforeAnythingChanges)
{
    addTemplate(entry(u"A"));
    addTemplate(entry(u"B"));
    addTemplate(entry(u"C"));
    openSettingsKey(kTemplateKey)->writeString(u"402", u"not a number");
    EXPECT_THROW(removeTemplate(0), SettingsError);
    EXPECT_EQ(templateNames(), (std::vector<std::u16string>{u"A", u"B", u"C"}));

    openSettingsKey(kTemplateKey)->writeString(u"aantal", u"3");
    EXPECT_THROW(removeTemplate(0), SettingsError) << "a removal reads the count without a fallback";
}

TEST_F(TemplateStore, OverwriteReplacesTheEntryButNotTheCount)
{
    addTemplate(entry(u"A", 0.1));
    overwriteTemplate(0, entry(u"A2", -0.25, 7));
    EXPECT_EQ(templateNames(), std::vector<std::u16string>{u"A2"});
    EXPECT_EQ(readTemplate(0).offset, -0.25);
    EXPECT_EQ(readTemplate(0).passCountTarget, 7);
    overwriteTemplate(3, entry(u"beyond"));  // written, but not counted
    EXPECT_EQ(templateCount(), 1);
    overwriteTemplate(100, entry(u"nowhere"));
    EXPECT_EQ(openSettingsKey(kTemplateKey)->readFloat(u"100"), -0.25);
}

TEST_F(TemplateStore, ReadingStopsAtTheFirstUnreadableValue)
{
    addTemplate(entry(u"A", 0.5, 1));
    openSettingsKey(kTemplateKey)->writeFloat(u"300", 2.0);  // a pass count that is no integer
    const TemplateValues v = readTemplate(0);
    EXPECT_EQ(v.offset, 0.5);
    EXPECT_EQ(v.passCountTarget, 1);
    EXPECT_FALSE(v.passCountMaxExtra);
    EXPECT_FALSE(v.speedTarget) << "values after the unreadable one are not read";
    EXPECT_FALSE(v.compactionTarget);
    EXPECT_FALSE(readTemplate(7).offset);
    EXPECT_FALSE(readTemplate(-1).offset);
    EXPECT_FALSE(readTemplate(100).offset);
}

TEST_F(TemplateStore, AHandEditedCountIsKeptWithinRange)
{
    struct Case {
        std::int32_t stored;
        int count;
    };
    for (const Case& c : {Case{150, 100}, Case{-5, 0}, Case{INT32_MIN, 0}, Case{INT32_MAX, 100}}) {
        openSettingsKey(kTemplateKey)->writeInteger(u"aantal", c.stored);
        EXPECT_EQ(templateCount(), c.count);
        EXPECT_EQ(templateNames().size(), static_cast<std::size_t>(c.count));
        EXPECT_EQ(addTemplate(entry(u"X")), c.count < 100);
    }
}

TEST_F(TemplateStore, ALayerOfTheTableIsStoredWidened)
{
    TLayerRecord layer{u"T", -0.1f, 4, 1, 2.6f, 1, 80};
    ASSERT_TRUE(addTemplate(templateOf(layer)));
    EXPECT_EQ(readTemplate(0).offset, static_cast<double>(-0.1f));
    EXPECT_EQ(readTemplate(0).offset, -0.10000000149011612);
    EXPECT_EQ(readTemplate(0).speedTarget, static_cast<double>(2.6f));
}
