#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

/**
 * Evaluates typed numeric text: sums, products, powers, unary minus, parentheses, twenty named
 * functions, PI and the variables A..Z (all 0), with a table-driven shift-reduce parser whose
 * stack holds 40 entries. A text it cannot evaluate gives 0 and an error code; it never throws
 * and never allocates.
 */
class ExpressionParser
{
public:
    enum ErrorCode : int {
        NoError = 0,
        UnresolvedToken = 1,
        UnresolvedOperation = 2,
        StackOverflow = 3,
        /** An arithmetic fault gave no number (NaN), or the text was longer than 79 characters. */
        NotANumber = 4,
    };

    ExpressionParser();

    /**
     * The value of text, case-insensitive; 0 whenever GetError() is not 0 afterwards. Never NaN:
     * a NaN result is a failed evaluation. Overflow gives ±infinity as the math library does,
     * and division by 0 gives +infinity. Text longer than 79 characters fails.
     */
    double Evaluate(std::string_view text);

    /** Error code of the last Evaluate. */
    int GetError() const { return m_error; }

    /** "Unresolved token.", "Unresolved operation.", "Stack overflow." or "Parser error.". */
    std::string GetErrorText() const;

    /** Most characters of text Evaluate takes. */
    static constexpr std::size_t kMaxTextLength = 79;
    static constexpr int kStackSize = 40;

private:
    // Implementation-defined members (stack, tokens, variables).
    int m_error = NoError;
};

} // namespace velmora
