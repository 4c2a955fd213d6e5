#include "io/WordReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool WordReader::NextWord(std::string_view& word)
{
    SkipSpace();
    if (m_position == m_text.size())
        return false;
    const std::size_t start = m_position;
    const std::size_t limit = std::min(m_text.size(), start + kMaxWordLength);
    while (m_position < limit && !IsSpace(m_text[m_position]))
        ++m_position;
    word = m_text.substr(start, m_position - start);
    return true;
}

bool WordReader::ReadInteger(int& value)
{
    SkipSpace();
    const std::size_t digits = AfterSign();
    const std::size_t end = digits + DigitsAt(digits);
    if (end == digits)
        return false;
    // from_chars takes a minus but no plus, and reports numbers beyond 32 bits.
    const std::size_t first = m_text[m_position] == '+' ? digits : m_position;
    int parsed = 0;
    const auto result = std::from_chars(m_text.data() + first, m_text.data() + end, parsed);
    if (result.ec != std::errc())
        return false;
    value = parsed;
    m_position = end;
    return true;
}

bool WordReader::ReadDecimal(float& value)
{
    SkipSpace();
    const std::size_t mantissa = AfterSign();
    const std::size_t whole = DigitsAt(mantissa);
    std::size_t end = mantissa + whole;
    std::size_t fraction = 0;
    if (end < m_text.size() && m_text[end] == '.') {
        fraction = DigitsAt(end + 1);
        end += 1 + fraction;
    }
    if (whole + fraction == 0)
        return false;
    // The exponent belongs to the number only when it has a digit; else "e" starts the rest.
    if (end < m_text.size() && (m_text[end] == 'e' || m_text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < m_text.size() && (m_text[exponent] == '+' || m_text[exponent] == '-'))
            ++exponent;
        if (const std::size_t digits = DigitsAt(exponent); digits > 0)
            end = exponent + digits;
    }

    const std::size_t first = m_text[m_position] == '+' ? mantissa : m_position;
    // Read straight into a float, rounded once: a decimal just above the largest float that
    // still rounds to it reads as that float.
    float parsed = 0.0f;
    const auto result = std::from_chars(m_text.data() + first, m_text.data() + end, parsed);
    if (result.ec == std::errc::result_out_of_range && DecimalOrder(mantissa, end) < 0)
        parsed = m_text[m_position] == '-' ? -0.0f : 0.0f; // too small for a float: zero
    else if (result.ec != std::errc())
        return false;
    value = parsed;
    m_position = end;
    return true;
}

long WordReader::DecimalOrder(std::size_t mantissa, std::size_t end) const
{
    // The power of ten of the first non-zero digit: from its place around the point, then the
    // exponent, saturated so that no count of digits or exponent can overflow.
    constexpr long kFar = 1'000'000;
    long order = 0;
    bool seenDigit = false;
    bool afterPoint = false;
    std::size_t i = mantissa;
    for (; i < end && m_text[i] != 'e' && m_text[i] != 'E'; ++i) {
        if (m_text[i] == '.') {
            afterPoint = true;
        } else if (!seenDigit && m_text[i] != '0') {
            seenDigit = true;
            if (afterPoint)
                order = std::max(order - 1, -kFar);
        } else if (!seenDigit && afterPoint) {
            order = std::max(order - 1, -kFar);
        } else if (seenDigit && !afterPoint) {
            order = std::min(order + 1, kFar);
        }
    }
    if (i < end) {
        long exponent = 0;
        const bool negative = m_text[i + 1] == '-';
        for (std::size_t j = i + 1; j < end; ++j)
            if (IsDigit(m_text[j]))
                exponent = std::min(exponent * 10 + (m_text[j] - '0'), kFar);
        order += negative ? -exponent : exponent;
    }
    return order;
}

void WordReader::SkipSpace()
{
    while (m_position < m_text.size() && IsSpace(m_text[m_position]))
        ++m_position;
}

std::size_t WordReader::DigitsAt(std::size_t from) const
{
    std::size_t end = from;
    while (end < m_text.size() && IsDigit(m_text[end]))
        ++end;
    return end - from;
}

std::size_t WordReader::AfterSign() const
{
    if (m_position < m_text.size() && (m_text[m_position] == '+' || m_text[m_position] == '-'))
        return m_position + 1;
    return m_position;
}

} // namespace velmora
