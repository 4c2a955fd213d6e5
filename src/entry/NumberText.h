#pragma once

#include <string_view>

namespace velmora {

/**
 * The decimal number at the start of text, read as scanf's "%f" would in the "C" locale
 * (leading white space and a sign allowed, trailing characters ignored); nothing when the
 * text does not start with a number. "inf" and "nan" read as such; a number beyond the range
 * of a double reads as 0.
 */
bool ReadLeadingNumber(std::string_view text, double& value);

/** ReadLeadingNumber, with 0 for text that does not start with a number. */
double NumberOrZero(std::string_view text);

} // namespace velmora
