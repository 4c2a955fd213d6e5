#pragma once

namespace velmora {

/** 10 * log10(4 pi): what a pressure level is lowered by when it meets a power level. */
inline constexpr double kPowerOffset = 10.992098640220963;

/**
 * One band of the two spectra combined by their data types (0 pressure, 1 power, 2 attenuation,
 * 3 correction), in dB: y the edited level of type `edited`, o the other level of type `other`.
 * Levels add as amplitudes (two power levels as energies, a pressure level lowered by
 * kPowerOffset against a power level); an attenuation or correction on either side acts on the
 * other spectrum. A data type outside 0 to 3 combines nothing: the result is y.
 */
double CombinedLevel(int edited, int other, double y, double o);

} // namespace velmora
