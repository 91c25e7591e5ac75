#include "layeredit/namerule.h"

namespace kobalin {

NameRuleResult applyNameRule(std::u16string_view name)
{
    const std::size_t end = name.find_first_of(u".,");
    if (end == std::u16string_view::npos)
        return {std::u16string(name), false};
    return {std::u16string(name.substr(0, end)), true};
}

}  // namespace kobalin
