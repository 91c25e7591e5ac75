#include "app/settings.h"

#include "app/utf8.h"

namespace kobalin {

namespace {

[[noreturn]] void unreadable(std::u16string_view name)
{
    throw SettingsError("Invalid data type for '" + toUtf8(name) + "'", SettingsError::Kind::WrongType,
                        std::u16string(name));
}

}  // namespace

std::int32_t requireInteger(const SettingsKey& key, std::u16string_view name)
{
    const auto value = key.readInteger(name);
    if (!value)
        unreadable(name);
    return *value;
}

double requireFloat(const SettingsKey& key, std::u16string_view name)
{
    const auto value = key.readFloat(name);
    if (!value)
        unreadable(name);
    return *value;
}

std::u16string requireString(const SettingsKey& key, std::u16string_view name)
{
    auto value = key.readString(name);
    if (!value)
        unreadable(name);
    return std::move(*value);
}

}  // namespace kobalin
