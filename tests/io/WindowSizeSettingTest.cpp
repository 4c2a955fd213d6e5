#include "io/WindowSizeSetting.h"

#include "io/Settings.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

constexpr WindowSize kMin{300, 200};
constexpr WindowSize kScreen{1920, 1080};

} // namespace

TEST(Settings, ReadFallsBackToTheDefaultWhenMissingOrTooLong)
{
    MemorySettingsStore store;
    std::string buffer = "stale";
    EXPECT_FALSE(ReadSetting(store, "Velmora_Size", buffer, "456 456", 80));
    EXPECT_EQ(buffer, "456 456");

    store.Values["Velmora_Size"] = std::string(79, '7');
    EXPECT_TRUE(ReadSetting(store, "Velmora_Size", buffer, "456 456", 80))
        << "79 characters and the zero fit";
    store.Values["Velmora_Size"] = std::string(80, '7');
    EXPECT_FALSE(ReadSetting(store, "Velmora_Size", buffer, "456 456", 80));
    EXPECT_EQ(buffer, "456 456");
}

TEST(WindowSizeSetting, RoundTripsWidthFirst)
{
    MemorySettingsStore store;
    EXPECT_EQ(ReadWindowSize(store, kMin, kScreen).width, 456);
    WriteWindowSize(store, {600, 400});
    EXPECT_EQ(store.Values["Velmora_Size"], "600 400");
    const WindowSize size = ReadWindowSize(store, kMin, kScreen);
    EXPECT_EQ(size.width, 600);
    EXPECT_EQ(size.height, 400);
}

TEST(WindowSizeSetting, UnusableTextGivesTheDefaultSize)
{
    struct Case {
        const char* text;
        int width, height;
    };
    const Case cases[] = {
        {"640 480", 640, 480},
        {"  640   480 trailing", 640, 480},
        {"640", 456, 456},
        {"", 456, 456},
        {"wide tall", 456, 456},
        {"640,480", 456, 456},
        {"-640 480", 456, 456},
        {"0 0", 456, 456},
        {"100 100", 456, 456},  // smaller than the window can be
        {"5000 480", 456, 456}, // larger than the screen
        {"99999999999999999999 480", 456, 456},
        {"2147483648 480", 456, 456},
    };
    for (const Case& c : cases) {
        const WindowSize size = ParseWindowSize(c.text, kMin, kScreen);
        EXPECT_EQ(size.width, c.width) << '"' << c.text << '"';
        EXPECT_EQ(size.height, c.height) << '"' << c.text << '"';
    }
}
