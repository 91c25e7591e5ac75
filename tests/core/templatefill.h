#pragma once

#include "app/settings.h"
#include "layeredit/templatestore.h"

#include <string>
#include <vector>

// Makes entries the store's only templates in one use of the key: a hundred
// adds would each replace the settings file.
inline void storeOnly(const std::vector<kobalin::LayerTemplate>& entries)
{
    using namespace kobalin;
    auto key = openSettingsKey(kTemplateKey);
    auto name = [](int field, std::size_t i) {
        const std::string digits = std::to_string(field * 100 + static_cast<int>(i));
        return std::u16string(digits.begin(), digits.end());
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LayerTemplate& e = entries[i];
        key->writeString(name(0, i), e.name);
        key->writeFloat(name(1, i), e.offset);
        key->writeInteger(name(2, i), e.passCountTarget);
        key->writeInteger(name(3, i), e.passCountMaxExtra);
        key->writeFloat(name(4, i), e.speedTarget);
        key->writeInteger(name(5, i), e.speedMaxDiff);
        key->writeInteger(name(6, i), e.compactionTarget);
    }
    key->writeInteger(u"aantal", static_cast<std::int32_t>(entries.size()));
    key->close();
}
