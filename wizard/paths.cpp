#include "wizard/paths.h"

#include "app/utf8.h"

namespace kobalin {

namespace {

bool isSeparator(char16_t c, PathStyle style) { return style == PathStyle::Windows ? (c == u'\\' || c == u':') : c == u'/'; }

// Index of the last separator, or npos.
std::size_t lastSeparator(std::u16string_view path, PathStyle style)
{
    for (std::size_t i = path.size(); i-- > 0;)
        if (isSeparator(path[i], style))
            return i;
    return std::u16string_view::npos;
}

}  // namespace

char16_t pathDelimiter(PathStyle style) { return style == PathStyle::Windows ? u'\\' : u'/'; }

std::u16string ExtractFileName(std::u16string_view path, PathStyle style)
{
    const std::size_t i = lastSeparator(path, style);
    return std::u16string(i == std::u16string_view::npos ? path : path.substr(i + 1));
}

std::u16string ExtractFileDir(std::u16string_view path, PathStyle style)
{
    const std::size_t i = lastSeparator(path, style);
    if (i == std::u16string_view::npos)
        return {};
    const bool keep = i == 0 || path[i] != pathDelimiter(style) || isSeparator(path[i - 1], style);
    return std::u16string(path.substr(0, keep ? i + 1 : i));
}

std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view ext, PathStyle style)
{
    std::size_t end = path.size();
    for (std::size_t i = path.size(); i-- > 0;) {
        if (isSeparator(path[i], style))
            break;
        if (path[i] == u'.') {
            end = i;
            break;
        }
    }
    return std::u16string(path.substr(0, end)) + std::u16string(ext);
}

std::u16string joinPath(std::u16string_view folder, std::u16string_view name, PathStyle style)
{
    std::u16string joined(folder);
    if (joined.empty() || joined.back() != pathDelimiter(style))
        joined += pathDelimiter(style);
    return joined + std::u16string(name);
}

std::filesystem::path nativePath(std::u16string_view path)
{
#ifdef _WIN32
    return std::filesystem::path(std::wstring(path.begin(), path.end()));
#else
    return std::filesystem::path(toUtf8(path));
#endif
}

}  // namespace kobalin
