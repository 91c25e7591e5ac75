#pragma once

#include <string>
#include <string_view>

namespace kobalin {

struct NameRuleResult {
    std::u16string name;
    bool cut = false;  // the user is told once that the name was shortened
};

// A layer name ends before its first "." or ",".
NameRuleResult applyNameRule(std::u16string_view name);

}  // namespace kobalin
