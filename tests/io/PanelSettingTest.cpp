#include "io/PanelSetting.h"

#include "io/Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(PanelSettingTest, OnlyAStoredOneShowsThePanel)
{
    const struct {
        const char* stored;
        bool shown;
    } cases[] = {{"1", true},   {"0", false},  {"", false},  {"true", false}, {" 1", false},
                 {"1 ", false}, {"01", false}, {"2", false}, {"1\n", false}};
    for (const auto& c : cases) {
        MemorySettingsStore store;
        store.Set(kRatingsPanelName, c.stored);
        EXPECT_EQ(ReadPanelShown(store, kRatingsPanelName), c.shown) << '"' << c.stored << '"';
    }
    MemorySettingsStore store;
    EXPECT_FALSE(ReadPanelShown(store, kRatingsPanelName));
    store.Set(kRatingsPanelName, std::string(200, '1'));
    EXPECT_FALSE(ReadPanelShown(store, kRatingsPanelName));
    for (bool shown : {true, false}) {
        WritePanelShown(store, kRatingsPanelName, shown);
        EXPECT_EQ(ReadPanelShown(store, kRatingsPanelName), shown);
    }
}

} // namespace
} // namespace velmora
