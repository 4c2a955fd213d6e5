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
     * and division by 0 gives +infinity. Text longer than 79 characters fails. A comma with a digit
     * on each side is a decimal point ("64,5" is 64.5, "LOG(1,5)" is LOG(1.5)); any other comma fails.
     */
    double Evaluate(std::string_view text);

    /** Error code of the last Evaluate. */
    int GetError() const { return Error; }

    /** "Unresolved token.", "Unresolved operation.", "Stack overflow." or "Parser error.". */
    std::string GetErrorText() const;

    /** Most characters of text Evaluate takes. */
    static constexpr std::size_t kMaxTextLength = 79;
    static constexpr int kStackSize = 40;

private:
    /** Longest function name, POW10 or TRUNC, plus a terminator. */
    static constexpr std::size_t kFunctionNameSize = 6;

    /** A stack entry: the parser state, and the value of a number or reduction or the name of a function. */
    struct TParseEntry {
        std::uint8_t State = 0;
        std::array<char, kFunctionNameSize> Name{};
        double Value = 0.0;
    };

    /** Reads the token at Cursor into Token and Current; textEnd is the end of the working copy. */
    void ReadToken(const char* textEnd);
    /** The number literal at Cursor, which starts with a digit or a point. */
    void ReadNumber(const char* textEnd);
    /** Runs the shift-reduce loop over the working copy; the accepted value, or 0 with Error set. */
    double Parse(const char* textEnd);
    /** Pushes entry with the given state; a full stack sets StackOverflow and drops it. */
    void Push(std::uint8_t state, const TParseEntry& entry);
    /** Replaces the right side of rule on the stack by its left side and value; the new top state. */
    std::uint8_t Reduce(int rule);

    std::int32_t Top = -1;
    /** Kind of the lookahead token. */
    std::int32_t Token = 0;
    std::int32_t Error = NoError;
    std::array<TParseEntry, kStackSize> Stack{};
    TParseEntry Current;
    /** Read position in the working copy of the text during Evaluate, null otherwise. */
    const char* Cursor = nullptr;
    /** Values of the letters A..Z; nothing changes them, so every letter reads 0. */
    std::array<float, 26> Variables{};
};

} // namespace velmora
