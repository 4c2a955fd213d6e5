#include "io/WindowSizeSetting.h"

#include "io/Settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace velmora {

namespace {

// Reads one decimal integer as "%d" would, skipping leading white space. strtoll is used
// because scanf's behaviour on out-of-range numbers is undefined.
bool ReadInteger(const char*& cursor, long long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(cursor, &end, 10);
    if (end == cursor || errno == ERANGE)
        return false;
    cursor = end;
    return true;
}

} // namespace

WindowSize ParseWindowSize(const std::string& text, WindowSize minSize, WindowSize maxSize)
{
    const char* cursor = text.c_str();
    long long width = 0;
    long long height = 0;
    if (!ReadInteger(cursor, width) || !ReadInteger(cursor, height))
        return {kDefaultWindowWidth, kDefaultWindowHeight};
    if (width < minSize.width || height < minSize.height || width > maxSize.width || height > maxSize.height)
        return {kDefaultWindowWidth, kDefaultWindowHeight};
    return {static_cast<int>(width), static_cast<int>(height)};
}

std::string FormatWindowSize(WindowSize size)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d %d", size.width, size.height);
    return text;
}

WindowSize ReadWindowSize(SettingsStore& store, WindowSize minSize, WindowSize maxSize)
{
    std::string text;
    ReadSetting(store, kWindowSizeName, text, kWindowSizeDefault, kSettingBufferSize);
    return ParseWindowSize(text, minSize, maxSize);
}

void WriteWindowSize(SettingsStore& store, WindowSize size)
{
    WriteSetting(store, kWindowSizeName, FormatWindowSize(size));
}

} // namespace velmora
