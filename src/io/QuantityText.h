#pragma once

#include <limits>
#include <string_view>

// Parts of ReadTabularLevels, internal to io. They live in a namespace of their own so that their
// short names (Unit, Cell, Table) meet none of the program's other types.
namespace velmora::tabular {

/** The value of a reading that found no number. */
inline constexpr double kNoReading = std::numeric_limits<double>::quiet_NaN();

enum class Unit { None, Hertz, KiloHertz, Decibel };

/** A number read from text, with the unit written after it. */
struct Quantity {
    Unit unit = Unit::None;
    bool overflow = false;       // too large for a double; value is then an infinity
    double value = 0.0;          // signed, before the unit's scale
    double grouped = kNoReading; // with its one mark read as a thousands mark ("1,000": 1000)
};

/** True for the ASCII digits '0' to '9' only, whatever the locale. */
inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

/** True for the ASCII letters only, whatever the locale. */
inline bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

/** True for the ASCII white space within a line: space, tab, vertical tab and form feed. */
inline bool IsAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

/** s without the white space around it: ASCII, and the no-break spaces U+00A0 and U+202F in UTF-8. */
std::string_view Trim(std::string_view s);

/**
 * Reads word, all of it, as a unit: "Hz", "kHz", "k", and "dB" with or without a weighting: "dBA",
 * "dB(A)", "dB (C)", "(Z)"; any case. A weighting letter alone ("A") is no unit. False, unit
 * untouched, for anything else.
 */
bool ReadUnit(std::string_view word, Unit& unit);

/**
 * Reads s, all of it, as a number with an optional unit: "-45.5", "45,5 dB(A)", "1.25k", "1k25",
 * "12.5 kHz", "1e3Hz", "inf", in the "C" locale whatever the process locale. The value may be an
 * infinity or NaN as written; a number too large for a double reads as an infinity with overflow
 * set, one too small as 0. False when any of s is something else; quantity is then unspecified.
 */
bool ReadQuantity(std::string_view s, Quantity& quantity);

} // namespace velmora::tabular
