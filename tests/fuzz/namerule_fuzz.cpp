// A layer name ends before its first "." or ",": the machine's file and the
// template store rely on names without them. Bytes are read as UTF-8.
#include "app/utf8.h"
#include "layeredit/namerule.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kobalin;

namespace {

[[noreturn]] void broken(const char* rule)
{
    std::fprintf(stderr, "name rule: %s\n", rule);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string name = fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    const NameRuleResult result = applyNameRule(name);
    if (result.name.find_first_of(u".,") != std::u16string::npos)
        broken("the result still holds a \".\" or \",\"");
    if (result.name.size() > name.size() || name.compare(0, result.name.size(), result.name) != 0)
        broken("the result is not a prefix of the name");
    const bool held = name.find_first_of(u".,") != std::u16string::npos;
    if (result.cut != held)
        broken("cut does not tell whether the name held a \".\" or \",\"");
    if (!held && result.name != name)
        broken("a name without \".\" or \",\" was changed");
    if (held && name[result.name.size()] != u'.' && name[result.name.size()] != u',')
        broken("the name was not cut at its first \".\" or \",\"");
    return 0;
}
