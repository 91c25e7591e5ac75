// The template list shared as a layer file: written as the editor shows it,
// read back into the store with the same values. Runs under Wine against the
// registry too.
#include "layeredit/templatefile.h"

#include "app/settings.h"
#include "freshsettings.h"
#include "templatefill.h"
#include "wizard/decimal.h"
#include "wizard/layerfilereader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace kobalin;

namespace {

using Names = std::vector<std::u16string>;

// A template as the editor's fields show it once chosen.
struct Shown {
    std::u16string name, offset;
    std::int32_t passes, extra;
    std::u16string speed;
    std::int32_t speedDiff, cmv;
    friend bool operator==(const Shown&, const Shown&) = default;
};

std::vector<Shown> shownTemplates()
{
    std::vector<Shown> all;
    for (const StoredTemplate& t : readTemplates()) {
        const TemplateValues& v = t.values;
        all.push_back({t.name, formatField(narrowed(v.offset).value_or(-999)), v.passCountTarget.value_or(-1),
                       v.passCountMaxExtra.value_or(-1), formatField(narrowed(v.speedTarget).value_or(-999)),
                       v.speedMaxDiff.value_or(-1), v.compactionTarget.value_or(-1)});
    }
    return all;
}

Names namesOf(const std::vector<LayerTemplate>& entries)
{
    Names names;
    for (const LayerTemplate& e : entries)
        names.push_back(e.name);
    return names;
}

std::vector<TLayerRecord> layersNamed(const Names& names)
{
    std::vector<TLayerRecord> layers;
    for (std::size_t i = 0; i < names.size(); ++i)
        layers.push_back({names[i], static_cast<float>(i) / 10, 4, 1, 3.0f, 1, static_cast<std::int32_t>(i)});
    return layers;
}

}  // namespace

using TemplateFileTest = FreshSettings;

// Exported, the store emptied, imported again: every template shows as before.
TEST_F(TemplateFileTest, AHundredTemplatesComeBackWithTheSameValues)
{
    std::vector<LayerTemplate> entries;
    for (int i = 0; i < kMaxTemplates; ++i) {
        const std::string digits = std::to_string(i);
        const std::u16string name = u"Layer " + std::u16string(digits.begin(), digits.end());
        // Typed values with more decimals than the file holds, some just past a
        // rounding edge in double precision but not in single (0.0150000001
        // shows as 0.01), and layers of the table, widened from single precision.
        const double offset = (i - 50) * 0.137 + (i % 3 == 0 ? 0.0150000001 : 0.0049);
        const double speed = 0.5 + i * 0.2999;
        if (i % 4 == 0)
            entries.push_back(
                templateOf({name, static_cast<float>(offset), i, 100 - i, static_cast<float>(speed), i % 7, i}));
        else
            entries.push_back({name, offset, i % 101, i % 5, speed, i % 7, 100 - i});
    }
    storeOnly(entries);
    const std::vector<Shown> before = shownTemplates();
    const TemplateFile file = templateFileContent(readTemplates());
    ASSERT_EQ(file.unfit, -1);

    // Every value of the old entries is overwritten before the count goes to 0,
    // so that only what the import writes can show.
    storeOnly(std::vector<LayerTemplate>(kMaxTemplates, {u"gone", 99, 0, 0, 99, 0, 0}));
    openSettingsKey(kTemplateKey)->writeInteger(u"aantal", 0);

    const LayerFileReading reading = readLayerFile(file.bytes);
    ASSERT_EQ(reading.errorLine, 0);
    ASSERT_EQ(reading.run.lagen, kMaxTemplates);
    const TemplateImport plan = planImport(templateNames(), {reading.run.layers.data(), 100}, false);
    ASSERT_TRUE(importTemplates(plan));
    EXPECT_EQ(shownTemplates(), before);
}

// A layer file holds no unreadable value, no value beyond single precision and
// nothing its reader refuses: such a template is named, and nothing is written.
TEST_F(TemplateFileTest, ATemplateTheFileCannotHoldIsNamedAndNothingWritten)
{
    struct Case {
        const char* what;
        std::function<void(SettingsKey&)> spoil;  // entry 1's values
    };
    const Case cases[] = {
        {"a speed that is no double", [](SettingsKey& k) { k.writeString(u"401", u"fast"); }},
        {"an offset beyond single precision", [](SettingsKey& k) { k.writeFloat(u"101", 1e300); }},
        {"a pass count above 100", [](SettingsKey& k) { k.writeInteger(u"201", 150); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        openSettingsKey(kTemplateKey)->writeInteger(u"aantal", 0);
        for (const char16_t* name : {u"A", u"B", u"C"})
            addTemplate({name, 0.1, 4, 1, 3.0, 1, 50});
        c.spoil(*openSettingsKey(kTemplateKey));
        const TemplateFile file = templateFileContent(readTemplates());
        EXPECT_EQ(file.unfit, 1);
        EXPECT_TRUE(file.bytes.empty());
    }
}

// A name the list holds is asked about once; Yes pairs the file's k-th layer
// of it with the list's k-th entry of it, No leaves those layers out.
TEST(TemplateImportPlan, NamesTheListHoldsAreOverwrittenInPlaceOrLeftOut)
{
    struct Case {
        const char* what;
        Names listed, file;
        bool overwrite;
        Names repeated;
        std::vector<int> replaced;
        Names added;
    };
    const Case cases[] = {
        {"only new names", {u"A"}, {u"C", u"B", u"C"}, true, {}, {}, {u"C", u"B", u"C"}},
        {"No", {u"A", u"B"}, {u"B", u"C", u"A"}, false, {u"B", u"A"}, {}, {u"C"}},
        {"Yes", {u"A", u"B"}, {u"B", u"C", u"A"}, true, {u"B", u"A"}, {1, 0}, {u"C"}},
        {"Yes, a name more often in the file", {u"A", u"B", u"A"}, {u"A", u"A", u"A"}, true, {u"A"}, {0, 2}, {u"A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TLayerRecord> layers = layersNamed(c.file);
        const TemplateImport plan = planImport(c.listed, layers, c.overwrite);
        EXPECT_EQ(plan.listed, c.listed);
        EXPECT_EQ(plan.repeated, c.repeated);
        std::vector<int> replaced;
        for (const auto& [index, entry] : plan.replaced) {
            replaced.push_back(index);
            EXPECT_EQ(entry.name, c.listed[static_cast<std::size_t>(index)]);
        }
        EXPECT_EQ(replaced, c.replaced);
        EXPECT_EQ(namesOf(plan.added), c.added);
    }
}

TEST_F(TemplateFileTest, AnImportWritesNothingWhenTheListChangedOrWouldPassAHundred)
{
    addTemplate({u"A", 0.1, 4, 1, 3.0, 1, 50});
    addTemplate({u"B", 0.2, 4, 1, 3.0, 1, 50});
    const TemplateImport plan = planImport({u"A", u"B"}, layersNamed({u"B", u"C"}), true);

    // Another running copy renamed A after the plan was made: the count is the same.
    overwriteTemplate(0, {u"A2", 0.3, 4, 1, 3.0, 1, 50});
    EXPECT_FALSE(importTemplates(plan));
    EXPECT_EQ(templateNames(), (Names{u"A2", u"B"}));
    EXPECT_EQ(readTemplate(1).offset, 0.2);

    const Names full(99, u"T");
    storeOnly(std::vector<LayerTemplate>(full.size(), {u"T", 0.1, 4, 1, 3.0, 1, 50}));
    EXPECT_FALSE(importTemplates(planImport(full, layersNamed({u"N1", u"N2"}), false)));
    EXPECT_EQ(templateCount(), 99);

    const TemplateImport fits = planImport(templateNames(), layersNamed({u"T", u"N"}), true);
    ASSERT_TRUE(importTemplates(fits));
    EXPECT_EQ(templateCount(), 100);
    EXPECT_EQ(templateNames().back(), u"N");
    EXPECT_EQ(readTemplate(0).offset, 0.0) << "the first T overwritten by the file's first layer";
}
