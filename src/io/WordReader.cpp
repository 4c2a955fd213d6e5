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
    // A hexadecimal number would read as its leading 0 and leave "x..." behind; refuse it whole.
    if (whole == 1 && end == mantissa + 1 && end < m_text.size() && m_text[mantissa] == '0' &&
        (m_text[end] == 'x' || m_text[end] == 'X'))
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
    double parsed = 0.0;
    const auto result = std::from_chars(m_text.data() + first, m_text.data() + end, parsed);
    if (result.ec != std::errc() || std::fabs(parsed) > std::numeric_limits<float>::max())
        return false;
    value = static_cast<float>(parsed);
    m_position = end;
    return true;
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
