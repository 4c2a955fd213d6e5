#include "io/QuantityText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace velmora::tabular {

namespace {

/** Exponents are capped here while read; anything larger is out of a double's range anyway. */
constexpr int kExponentCap = 100000;

/** Bytes of the white space starting at pos: ASCII, or a no-break space spreadsheets put in numbers. */
std::size_t SpaceAt(std::string_view s, std::size_t pos)
{
    if (pos >= s.size())
        return 0;
    if (IsAsciiSpace(s[pos]))
        return 1;
    const std::string_view rest = s.substr(pos);
    if (rest.substr(0, 2) == "\xC2\xA0")
        return 2;
    if (rest.substr(0, 3) == "\xE2\x80\xAF")
        return 3;
    return 0;
}

bool EqualsNoCase(std::string_view s, std::string_view lower)
{
    if (s.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i] >= 'A' && s[i] <= 'Z' ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

/**
 * Digits with '.' for the decimal mark, however the text wrote it, read in the "C" locale; NaN when
 * they do not read as a whole.
 */
double ToDouble(std::string_view digits, bool& overflow)
{
    double value = 0.0;
    const char* last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, value);
    overflow = false;
    if (error == std::errc::result_out_of_range) {
        // Tell a number too large from one too small, which is 0 for any use here, by the place of
        // its first significant digit.
        const std::size_t exponentAt = std::min(digits.find_first_of("eE"), digits.size());
        const std::size_t point = std::min(digits.find('.'), exponentAt);
        std::size_t first = 0;
        while (first < exponentAt && (digits[first] == '0' || digits[first] == '.'))
            ++first;
        long magnitude = first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point);
        long exponent = 0;
        std::size_t i = exponentAt + 1;
        const bool negative = i < digits.size() && digits[i] == '-';
        if (i < digits.size() && (digits[i] == '-' || digits[i] == '+'))
            ++i;
        for (; i < digits.size(); ++i)
            exponent = std::min<long>(exponent * 10 + (digits[i] - '0'), kExponentCap);
        magnitude += negative ? -exponent : exponent;
        overflow = magnitude > 0;
        return overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return end == last ? value : kNoReading;
}

} // namespace

std::string_view Trim(std::string_view s)
{
    const auto plain = [](char c) { return static_cast<unsigned char>(c) < 0x80 && !IsAsciiSpace(c); };
    if (s.empty() || (plain(s.front()) && plain(s.back())))
        return s;
    std::size_t skip = 0;
    while (const std::size_t n = SpaceAt(s, skip))
        skip += n;
    s.remove_prefix(skip);
    while (!s.empty()) {
        if (IsAsciiSpace(s.back()))
            s.remove_suffix(1);
        else if (s.size() >= 2 && s.substr(s.size() - 2) == "\xC2\xA0")
            s.remove_suffix(2);
        else if (s.size() >= 3 && s.substr(s.size() - 3) == "\xE2\x80\xAF")
            s.remove_suffix(3);
        else
            break;
    }
    return s;
}

bool ReadUnit(std::string_view word, Unit& unit)
{
    if (EqualsNoCase(word, "hz")) {
        unit = Unit::Hertz;
        return true;
    }
    if (EqualsNoCase(word, "khz") || EqualsNoCase(word, "k")) {
        unit = Unit::KiloHertz;
        return true;
    }
    std::string_view weighting = word;
    if (EqualsNoCase(word.substr(0, 2), "db")) {
        weighting.remove_prefix(2);
        while (!weighting.empty() && IsAsciiSpace(weighting.front()))
            weighting.remove_prefix(1);
        if (weighting.empty()) {
            unit = Unit::Decibel;
            return true;
        }
    }
    static constexpr std::array<std::string_view, 6> kWeightings = {"a", "c", "z", "(a)", "(c)", "(z)"};
    for (const std::string_view letter : kWeightings) {
        // A weighting letter alone is no unit: the band table's columns are named "A" to "D".
        if (EqualsNoCase(weighting, letter) && (weighting.size() > 1 || weighting.size() < word.size())) {
            unit = Unit::Decibel;
            return true;
        }
    }
    return false;
}

bool ReadQuantity(std::string_view s, Quantity& quantity)
{
    quantity = Quantity{};
    bool negative = false;
    std::size_t i = 0;
    if (s.substr(0, 3) == "\xE2\x88\x92") { // the minus sign some programs write
        negative = true;
        i = 3;
    } else if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        i = 1;
    }
    const std::size_t wholeStart = i;
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    const std::size_t wholeEnd = i;
    std::size_t markAt = std::string_view::npos;
    std::size_t fractionEnd = i;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        markAt = i++;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
        fractionEnd = i;
    }
    const bool noDigits =
        wholeEnd == wholeStart && (markAt == std::string_view::npos || fractionEnd == markAt + 1);
    double value = 0.0;
    if (noDigits) {
        // Only "inf", "infinity" and "nan" are numbers made of letters.
        if (markAt != std::string_view::npos || i == s.size() || !IsAsciiLetter(s[i]))
            return false;
        const auto [end, error] = std::from_chars(s.data() + i, s.data() + s.size(), value);
        if (end == s.data() + i || error != std::errc())
            return false;
        i = static_cast<std::size_t>(end - s.data());
    } else if (markAt == std::string_view::npos && i + 1 < s.size() && (s[i] == 'k' || s[i] == 'K') &&
               IsDigit(s[i + 1])) {
        // "1k25": the k stands for the decimal point of a frequency in kHz.
        std::size_t j = i + 1;
        while (j < s.size() && IsDigit(s[j]))
            ++j;
        const std::size_t digitsEnd = j;
        while (const std::size_t n = SpaceAt(s, j))
            j += n;
        if (j != s.size() && !EqualsNoCase(s.substr(j), "hz"))
            return false;
        std::string digits(s.substr(wholeStart, wholeEnd - wholeStart));
        digits += '.';
        digits += s.substr(i + 1, digitsEnd - i - 1);
        quantity.value =
            negative ? -ToDouble(digits, quantity.overflow) : ToDouble(digits, quantity.overflow);
        quantity.unit = Unit::KiloHertz;
        return true;
    } else {
        bool exponent = false;
        if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
            std::size_t j = i + 1;
            if (j < s.size() && (s[j] == '+' || s[j] == '-'))
                ++j;
            const std::size_t exponentDigits = j;
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            // Without digits the 'e' is no exponent and the unit reading refuses it.
            if (j > exponentDigits) {
                exponent = true;
                i = j;
            }
        }
        const std::string_view number = s.substr(wholeStart, i - wholeStart);
        if (markAt != std::string_view::npos && s[markAt] == ',') {
            std::string pointed(number);
            pointed[markAt - wholeStart] = '.';
            value = ToDouble(pointed, quantity.overflow);
        } else {
            value = ToDouble(number, quantity.overflow);
        }
        if (std::isnan(value) && !quantity.overflow)
            return false;
        const std::size_t wholeDigits = wholeEnd - wholeStart;
        if (markAt != std::string_view::npos && !exponent && wholeDigits >= 1 && wholeDigits <= 3 &&
            s[wholeStart] != '0' && fractionEnd - markAt == 4) {
            double thousands = 0.0;
            for (std::size_t k = wholeStart; k < fractionEnd; ++k)
                if (k != markAt)
                    thousands = thousands * 10 + (s[k] - '0');
            quantity.grouped = negative ? -thousands : thousands;
        }
    }
    quantity.value = negative ? -value : value;
    while (const std::size_t n = SpaceAt(s, i))
        i += n;
    quantity.unit = Unit::None;
    return i == s.size() || ReadUnit(s.substr(i), quantity.unit);
}

} // namespace velmora::tabular
