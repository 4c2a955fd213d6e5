#pragma once

#include <string>

namespace velmora {

class SettingsStore;

/** Whether the ratings panel shows, kept between runs as "1" (shown) or "0". */
inline constexpr const char* kRatingsPanelName = "Velmora_RatingsPanel";

/** True only for a stored "1"; anything else, or nothing, keeps the panel hidden. */
bool ReadPanelShown(SettingsStore& store, const std::string& name);

void WritePanelShown(SettingsStore& store, const std::string& name, bool shown);

} // namespace velmora
