#pragma once

#include <cstddef>
#include <string>

namespace velmora {

class SettingsStore;

inline constexpr const char* kWindowSizeName = "Velmora_Size";
inline constexpr const char* kWindowSizeDefault = "456 456";
inline constexpr int kDefaultWindowWidth = 456;
inline constexpr int kDefaultWindowHeight = 456;
/** The setting is read into a buffer of this many bytes, terminating zero included. */
inline constexpr std::size_t kSettingBufferSize = 80;

struct WindowSize {
    int width;
    int height;
};

/**
 * Parses "%d %d" (outer width first). Text that does not hold two integers, or a size outside
 * minSize to maxSize on either axis, gives 456 x 456.
 */
WindowSize ParseWindowSize(const std::string& text, WindowSize minSize, WindowSize maxSize);

/** "%d %d", width first. */
std::string FormatWindowSize(WindowSize size);

/** The stored outer window size, or 456 x 456 when it is missing or unusable. */
WindowSize ReadWindowSize(SettingsStore& store, WindowSize minSize, WindowSize maxSize);

void WriteWindowSize(SettingsStore& store, WindowSize size);

} // namespace velmora
