#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

/** How velmora-calc prints a table. */
enum class TableFormat {
    /** A header line, then one line per row, columns aligned and two spaces apart. */
    Text,
    /** A header row, then one row per record, fields quoted where RFC 4180 needs it, CR LF line ends. */
    Csv,
    /** An array of objects, one per row, keyed by the column names. */
    Json,
};

/** "text", "csv" or "json" (exactly); nothing for any other name. */
std::optional<TableFormat> TableFormatNamed(std::string_view name);

/** One value of a table: a text, or a number already printed. */
struct TableCell {
    enum Kind { Text, Number, Missing };
    Kind kind = Text;
    /** As shown in text and CSV; "-" for a missing number. */
    std::string text;
};

/** A text cell, printed as it is (escaped where a format needs it). */
TableCell TextCell(std::string text);

/**
 * value in fixed notation with the given decimals in the "C" locale; a NaN or infinite value is a
 * missing number, shown as "-" in text and CSV and as null in JSON.
 */
TableCell NumberCell(double value, int decimals);

struct TableColumn {
    std::string name;
    /** Text output aligns the column on the right, as numbers are. */
    bool alignRight = false;
};

struct Table {
    std::vector<TableColumn> columns;
    /** Each row holds one cell per column. */
    std::vector<std::vector<TableCell>> rows;
};

/** The whole table in the format, ending with a line end ("[]" and a line end for JSON without rows). */
std::string FormatTable(const Table& table, TableFormat format);

/**
 * text for a terminal line: control characters become C escapes ("\n", "\t", "\r" or "\xHH") so
 * that a hostile name can neither break a line nor steer the terminal; everything else is kept.
 */
std::string PrintableText(std::string_view text);

/**
 * text as a JSON string with its quotes: quote, backslash and control characters escaped, and each
 * byte that is not part of valid UTF-8 replaced by U+FFFD, so that the output is always valid JSON.
 */
std::string JsonString(std::string_view text);

/** text as an RFC 4180 field: quoted, with quotes doubled, when it holds a comma, quote, CR or LF. */
std::string CsvField(std::string_view text);

} // namespace velmora
