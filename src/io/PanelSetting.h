#pragma once

#include <string>

namespace velmora {

class SettingsStore;

/** Whether the ratings panel shows, kept between runs as "1" (shown) or "0". */
inline constexpr const char* kRatingsPanelName = "Velmora_RatingsPanel";

/** Whether the ratings panel's impact ratings are folded away, kept as "1" (folded) or "0". */
inline constexpr const char* kImpactFoldedName = "Velmora_ImpactRatingsFolded";

/**
 * True only for a stored "1"; anything else, or nothing, keeps the panel hidden (or the impact
 * ratings unfolded: a part that changes unasked is worse than one left as it starts).
 */
bool ReadPanelShown(SettingsStore& store, const std::string& name);

void WritePanelShown(SettingsStore& store, const std::string& name, bool shown);

} // namespace velmora
