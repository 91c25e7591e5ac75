// The settings file is hand-editable, so its reader sees arbitrary bytes.
// Whatever it makes of them must be written back and read again unchanged:
// the program rewrites the file at every change.
#include "app/regfile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using kobalin::RegDocument;

namespace {

[[noreturn]] void broken(const char* rule)
{
    std::fprintf(stderr, "settings file round trip: %s\n", rule);
    std::abort();
}

bool sameKeys(const RegDocument& a, const RegDocument& b)
{
    if (a.keys.size() != b.keys.size())
        return false;
    for (std::size_t i = 0; i < a.keys.size(); ++i) {
        if (a.keys[i].path != b.keys[i].path || a.keys[i].values != b.keys[i].values)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RegDocument doc = RegDocument::parse(bytes);

    const std::string written = doc.serialize();
    const RegDocument back = RegDocument::parse(written);
    if (back.damaged)
        broken("what the program writes reads back as damaged");
    if (!sameKeys(doc, back))
        broken("keys or values changed on the way through the file");
    if (back.serialize() != written)
        broken("a second write differs from the first");

    // Every key and value is found again under its own name.
    for (const auto& key : doc.keys) {
        if (back.find(key.path) == nullptr)
            broken("a key is not found by its own path");
        for (const auto& [name, value] : key.values) {
            const auto* found = back.find(key.path)->find(name);
            if (found == nullptr || !(*found == value))
                broken("a value is not found by its own name");
        }
    }
    return 0;
}
