#include "io/PanelSetting.h"

#include "io/Settings.h"
#include "io/WindowSizeSetting.h"

namespace velmora {

bool ReadPanelShown(SettingsStore& store, const std::string& name)
{
    std::string text;
    // A panel that appears unasked changes the window's size, so only a clear "1" shows it.
    return ReadSetting(store, name, text, "0", kSettingBufferSize) && text == "1";
}

void WritePanelShown(SettingsStore& store, const std::string& name, bool shown)
{
    WriteSetting(store, name, shown ? "1" : "0");
}

} // namespace velmora
