#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kobalin {

// Windows paths separate folders with "\" and the drive with ":"; elsewhere
// "/" is the only separator.
enum class PathStyle { Windows, Posix };

#ifdef _WIN32
inline constexpr PathStyle kNativePaths = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePaths = PathStyle::Posix;
#endif

char16_t pathDelimiter(PathStyle style = kNativePaths);

// The part after the last path or drive separator; the whole text if there is none.
std::u16string ExtractFileName(std::u16string_view path, PathStyle style = kNativePaths);

// The text up to the last separator. The separator itself is kept when it is
// the drive separator or follows another separator (a drive root "D:\" stays
// whole), and dropped otherwise; empty when there is no separator.
std::u16string ExtractFileDir(std::u16string_view path, PathStyle style = kNativePaths);

// Replaces the extension (from the last "." after the last separator) by ext,
// or appends ext when the name has no ".".
std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view ext, PathStyle style = kNativePaths);

// folder followed by name, with one separator between them.
std::u16string joinPath(std::u16string_view folder, std::u16string_view name, PathStyle style = kNativePaths);

// The path as the file system functions take it.
std::filesystem::path nativePath(std::u16string_view path);

}  // namespace kobalin
