#include "app/settings.h"

#include "freshsettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kobalin;

using SettingsStore = FreshSettings;

TEST_F(SettingsStore, ValuesKeepTheirTypeAcrossUses)
{
    {
        auto key = openSettingsKey(kSettingsKey);
        key->writeInteger(u"taal", 2000);
        key->writeInteger(u"koppel", -5);
        key->writeString(u"meetfile", u"D:\\jobs\\road.xml_layer.csv");
        key->writeString(u"initdir", u"");
        key->close();
    }
    {
        auto key = openSettingsKey(kTemplateKey);
        key->writeFloat(u"100", -0.1);
        key->writeFloat(u"400", std::numeric_limits<double>::denorm_min());
        key->writeString(u"0", u"Top å ø €");
        key->close();
    }
    auto key = openSettingsKey(kSettingsKey);
    EXPECT_EQ(key->readInteger(u"taal"), 2000);
    EXPECT_EQ(key->readInteger(u"koppel"), -5);
    EXPECT_EQ(key->readString(u"meetfile"), u"D:\\jobs\\road.xml_layer.csv");
    EXPECT_EQ(key->readString(u"initdir"), u"");
    auto templates = openSettingsKey(kTemplateKey);
    EXPECT_EQ(templates->readFloat(u"100"), -0.1);
    EXPECT_EQ(templates->readFloat(u"400"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(templates->readString(u"0"), u"Top å ø €");
    // The two keys are separate.
    EXPECT_EQ(key->readString(u"0"), u"");
    EXPECT_FALSE(templates->readInteger(u"taal"));
}

TEST_F(SettingsStore, MissingAndWronglyTypedValuesFailAsTheRegistryDoes)
{
    {
        auto key = openSettingsKey(kSettingsKey);
        key->writeString(u"taal", u"2000");
        key->writeInteger(u"meetfile", 7);
        key->writeFloat(u"koppel", 1.0);
        key->close();
    }
    auto key = openSettingsKey(kSettingsKey);
    EXPECT_FALSE(key->readInteger(u"absent"));
    EXPECT_FALSE(key->readFloat(u"absent"));
    EXPECT_EQ(key->readString(u"absent"), u"");
    EXPECT_FALSE(key->readInteger(u"taal"));    // a string
    EXPECT_FALSE(key->readInteger(u"koppel"));  // a double
    EXPECT_FALSE(key->readFloat(u"taal"));
    EXPECT_FALSE(key->readFloat(u"meetfile"));  // a 32-bit integer is not a double
    EXPECT_FALSE(key->readString(u"meetfile"));
    EXPECT_THROW(requireInteger(*key, u"taal"), SettingsError);
    EXPECT_THROW(requireFloat(*key, u"absent"), SettingsError);
}

TEST_F(SettingsStore, AUseSeesItsOwnWritesBeforeItCloses)
{
    auto key = openSettingsKey(kTemplateKey);
    key->writeInteger(u"aantal", 3);
    key->writeString(u"0", u"A");
    EXPECT_EQ(key->readInteger(u"aantal"), 3);
    EXPECT_EQ(key->readString(u"0"), u"A");
    key->writeInteger(u"aantal", 4);
    EXPECT_EQ(key->readInteger(u"aantal"), 4);
    key->close();
    EXPECT_EQ(openSettingsKey(kTemplateKey)->readInteger(u"aantal"), 4);
}

TEST_F(SettingsStore, AKeyReleasedWithoutCloseKeepsItsWrites)
{
    openSettingsKey(kSettingsKey)->writeInteger(u"koppel", 1);
    EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"koppel"), 1);
}

TEST_F(SettingsStore, UsesThatOverlapLoseNoValues)
{
    auto first = openSettingsKey(kSettingsKey);
    auto second = openSettingsKey(kSettingsKey);
    first->writeInteger(u"taal", 3000);
    second->writeString(u"initdir", u"D:\\m");
    second->close();
    first->close();
    auto key = openSettingsKey(kSettingsKey);
    EXPECT_EQ(key->readInteger(u"taal"), 3000);
    EXPECT_EQ(key->readString(u"initdir"), u"D:\\m");
}
