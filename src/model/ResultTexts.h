#pragma once

#include <string>

namespace velmora {

struct TSpectrumModel;

/**
 * " %0.0fHz = %0.1fdB" for the current node; empty when there is none. Numbers are printed
 * in the "C" locale, and a NaN or infinite one as "-".
 */
std::string StatusText(const TSpectrumModel& model);

/**
 * The ratings line for the edited spectrum's data type: the weighted levels and NR for 0 and 1,
 * a fixed caption for 3, STC for any other value; numbers printed as by StatusText, from the
 * model's ratings value as the last recalculation left it.
 */
std::string ResultText(const TSpectrumModel& model);

/**
 * The edited spectrum's data type as the node menu names it: "Pressure Levels",
 * "Power/Intensity Levels", "Attenuation Levels" or "Correction Factors"; "Data Type N" for any
 * other value.
 */
std::string DataTypeCaption(int dataType);

/** The model's band set as the settings menu names it: "Full Octave Bands" or "Third Octave Bands"; "Unknown
 * Bands" else. */
std::string BandSetCaption(const TSpectrumModel& model);

} // namespace velmora
