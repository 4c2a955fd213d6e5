#include "calc/TableWriter.h"

#include "entry/NumberText.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr std::string_view kColumnGap = "  ";
constexpr std::string_view kCsvLineEnd = "\r\n";
constexpr std::string_view kReplacementCharacter = "\\ufffd";

char HexDigit(unsigned value)
{
    return "0123456789abcdef"[value & 0xF];
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

/**
 * Length of the well-formed UTF-8 sequence starting at text[i], or 0 when the bytes there are not
 * one (overlong forms, surrogates and code points above U+10FFFF included).
 */
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - i < length)
        return 0;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!IsContinuation(static_cast<unsigned char>(text[i + k])))
            return 0;
    return length;
}

/** Characters a terminal shows for text: every byte but UTF-8 continuation bytes counts one. */
std::size_t DisplayWidth(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return !IsContinuation(static_cast<unsigned char>(c)); }));
}

/** cell as a JSON value, appended to json. */
void AppendJsonValue(std::string& json, const TableCell& cell)
{
    switch (cell.kind) {
    case TableCell::Number:
        json += cell.text;
        break;
    case TableCell::Missing:
        json += "null";
        break;
    default:
        json += JsonString(cell.text);
    }
}

/** text as a terminal shows it: as it is, or escaped into escaped when it holds a control character. */
std::string_view Shown(const std::string& text, std::string& escaped)
{
    if (std::none_of(text.begin(), text.end(),
                     [](char c) { return IsControl(static_cast<unsigned char>(c)); }))
        return text;
    escaped = PrintableText(text);
    return escaped;
}

/** text as a CSV field, appended to csv: most fields need no quotes and go in without a copy. */
void AppendCsvField(std::string& csv, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        csv += text;
        return;
    }
    csv += '"';
    for (const char c : text) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}

std::string TextTable(const Table& table)
{
    // A table of many rows is measured and written without a copy of its cells: only the rare
    // text with a control character is escaped, once for each pass.
    std::string escaped;
    std::vector<std::size_t> widths(table.columns.size(), 0);
    for (std::size_t c = 0; c < widths.size(); ++c)
        widths[c] = DisplayWidth(Shown(table.columns[c].name, escaped));
    for (const auto& row : table.rows)
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(Shown(row[c].text, escaped)));

    std::size_t lineLength = 1;
    for (std::size_t width : widths)
        lineLength += width + kColumnGap.size();
    std::string text;
    text.reserve(lineLength * (table.rows.size() + 1));
    const auto appendLine = [&](std::size_t cells, const auto& textOf) {
        for (std::size_t c = 0; c < cells && c < widths.size(); ++c) {
            if (c > 0)
                text += kColumnGap;
            const std::string_view shown = Shown(textOf(c), escaped);
            const std::size_t padding = widths[c] - DisplayWidth(shown);
            if (table.columns[c].alignRight) {
                text.append(padding, ' ');
                text += shown;
            } else {
                text += shown;
                // No trailing blanks after the last column.
                if (c + 1 < cells)
                    text.append(padding, ' ');
            }
        }
        text += '\n';
    };
    appendLine(table.columns.size(),
               [&](std::size_t c) -> const std::string& { return table.columns[c].name; });
    for (const auto& row : table.rows)
        appendLine(row.size(), [&](std::size_t c) -> const std::string& { return row[c].text; });
    return text;
}

std::string CsvTable(const Table& table)
{
    std::string text;
    const auto appendRecord = [&text](const auto& fields, const auto& textOf) {
        for (std::size_t c = 0; c < fields.size(); ++c) {
            if (c > 0)
                text += ',';
            AppendCsvField(text, textOf(fields[c]));
        }
        text += kCsvLineEnd;
    };
    appendRecord(table.columns, [](const TableColumn& column) -> const std::string& { return column.name; });
    for (const auto& row : table.rows)
        appendRecord(row, [](const TableCell& cell) -> const std::string& { return cell.text; });
    return text;
}

std::string JsonTable(const Table& table)
{
    if (table.rows.empty())
        return "[]\n";
    // Each row repeats the column names: each is written as a key once.
    std::vector<std::string> keys;
    for (const TableColumn& column : table.columns)
        keys.push_back(JsonString(column.name) + ": ");
    std::string text = "[\n";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        text += "  {";
        for (std::size_t c = 0; c < row.size() && c < keys.size(); ++c) {
            if (c > 0)
                text += ", ";
            text += keys[c];
            AppendJsonValue(text, row[c]);
        }
        text += r + 1 < table.rows.size() ? "},\n" : "}\n";
    }
    text += "]\n";
    return text;
}

} // namespace

std::optional<TableFormat> TableFormatNamed(std::string_view name)
{
    if (name == "text")
        return TableFormat::Text;
    if (name == "csv")
        return TableFormat::Csv;
    if (name == "json")
        return TableFormat::Json;
    return std::nullopt;
}

TableCell TextCell(std::string text)
{
    return {TableCell::Text, std::move(text)};
}

TableCell NumberCell(double value, int decimals)
{
    if (!std::isfinite(value))
        return {TableCell::Missing, "-"};
    return {TableCell::Number, FixedText(value, decimals)};
}

std::string FormatTable(const Table& table, TableFormat format)
{
    switch (format) {
    case TableFormat::Csv:
        return CsvTable(table);
    case TableFormat::Json:
        return JsonTable(table);
    default:
        return TextTable(table);
    }
}

std::string PrintableText(std::string_view text)
{
    std::string printable;
    printable.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!IsControl(byte)) {
            printable += c;
        } else if (c == '\n') {
            printable += "\\n";
        } else if (c == '\t') {
            printable += "\\t";
        } else if (c == '\r') {
            printable += "\\r";
        } else {
            printable += "\\x";
            printable += HexDigit(byte >> 4);
            printable += HexDigit(byte);
        }
    }
    return printable;
}

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            json += kReplacementCharacter;
            ++i;
            continue;
        }
        if (length > 1) {
            json.append(text.substr(i, length));
        } else if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\t') {
            json += "\\t";
        } else if (c == '\r') {
            json += "\\r";
        } else if (byte < 0x20) {
            json += "\\u00";
            json += HexDigit(byte >> 4);
            json += HexDigit(byte);
        } else {
            json += c;
        }
        i += length;
    }
    json += '"';
    return json;
}

std::string CsvField(std::string_view text)
{
    std::string field;
    AppendCsvField(field, text);
    return field;
}

} // namespace velmora
