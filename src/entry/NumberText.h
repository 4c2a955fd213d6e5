#pragma once

#include <string>
#include <string_view>

namespace velmora {

/**
 * The decimal number at the start of text, read as scanf's "%f" would in the "C" locale
 * (leading white space and a sign allowed, trailing characters ignored); nothing when the
 * text does not start with a number. "inf" and "nan" read as such; a number beyond the range
 * of a double reads as 0.
 */
bool ReadLeadingNumber(std::string_view text, double& value);

/**
 * value in fixed notation with the given decimals, as printf's "%0.Nf" writes it in the "C"
 * locale whatever the process locale ("nan", "inf" and "-inf" for non-finite values).
 */
std::string FixedText(double value, int decimals);

/**
 * FixedText without the minus of a value that rounds to zero: -0 and -0.0004 at 3 decimals are
 * "0.000". A reader takes such a sign for a real difference, and a file would carry it for good.
 */
std::string FixedTextWithoutNegativeZero(double value, int decimals);

/**
 * format with its "%0.Nf" (or "%.Nf") directive replaced by value as FixedText writes it and
 * "%%" by "%"; other text is kept. Cut to maxLength characters, as a fixed buffer would hold.
 */
std::string FormatFloat(std::string_view format, double value, std::size_t maxLength = 79);

/** ReadLeadingNumber, with 0 for text that does not start with a number. */
double NumberOrZero(std::string_view text);

} // namespace velmora
