#pragma once

#include <cstddef>
#include <string_view>

namespace velmora {

/** Longest word NextWord returns; a longer run of non-white-space reads as several words. */
inline constexpr std::size_t kMaxWordLength = 255;

/**
 * Reads text word by word and number by number, in the manner of scanf's "%255s", "%d" and "%f"
 * in the "C" locale, but safely: a number that a 32-bit int or a finite float cannot hold does
 * not read, and neither do "nan", "inf" or hexadecimal numbers. White space is space, tab, CR,
 * LF, vertical tab and form feed; every other byte, 8-bit and NUL included, belongs to a word.
 * The text must outlive the reader.
 */
class WordReader
{
public:
    explicit WordReader(std::string_view text) : m_text(text) {}

    /** The next word, at most kMaxWordLength bytes; false at the end of the text. */
    bool NextWord(std::string_view& word);

    /**
     * Skips white space and reads the longest beginning of the next word that forms a decimal
     * integer (optional sign, digits), leaving the rest of the word to be read. False, value
     * untouched and nothing but the white space read, when there is no integer or it does not
     * fit 32 bits.
     */
    bool ReadInteger(int& value);

    /**
     * As ReadInteger for a decimal number: optional sign, digits with an optional point (at
     * least one digit in all), then an optional exponent "e" or "E" with an optional sign and at
     * least one digit. "0x10" reads as 0 and leaves "x10". The decimal is rounded once to the
     * nearest float: false when it rounds beyond the largest finite float; numbers too small for
     * a float read as 0 (with their sign) or a subnormal.
     */
    bool ReadDecimal(float& value);

private:
    void SkipSpace();
    /** Power of ten of the first non-zero digit of the decimal between mantissa and end. */
    long DecimalOrder(std::size_t mantissa, std::size_t end) const;
    /** Length of the run of decimal digits starting at from. */
    std::size_t DigitsAt(std::size_t from) const;
    /** Position after an optional sign at m_position. */
    std::size_t AfterSign() const;

    std::string_view m_text;
    std::size_t m_position = 0;
};

} // namespace velmora
