#pragma once

#include "io/TableCell.h"

namespace velmora::tabular {

enum class Match {
    Band,    // a band of the program's set
    Outside, // a nominal third-octave frequency just outside the program's: 10 to 40 Hz, 25 to 40 kHz
    NotBand,
};

/**
 * The band (index into BandFrequency, 0 to 26) of a frequency cell, within 2 % of its nominal
 * frequency, unit "Hz", "kHz" or none; a thousands reading ("1,000") is taken where the decimal one
 * is no band. band is set only for Match::Band. hz is the frequency read in Hz, NaN when the cell
 * holds no number or a level in dB.
 */
Match MatchCell(Cell& cell, int& band, double& hz);

/** True when MatchCell finds the cell a band. */
bool IsBand(Cell& cell);

} // namespace velmora::tabular
