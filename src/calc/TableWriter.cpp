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

std::string JsonValue(const TableCell& cell)
{
    switch (cell.kind) {
    case TableCell::Number:
        return cell.text;
    case TableCell::Missing:
        return "null";
    default:
        return JsonString(cell.text);
    }
}

std::string TextTable(const Table& table)
{
    std::vector<std::vector<std::string>> lines;
    lines.reserve(table.rows.size() + 1);
    std::vector<std::string>& header = lines.emplace_back();
    for (const TableColumn& column : table.columns)
        header.push_back(PrintableText(column.name));
    for (const auto& row : table.rows) {
        std::vector<std::string>& line = lines.emplace_back();
        for (const TableCell& cell : row)
            line.push_back(PrintableText(cell.text));
    }

    std::vector<std::size_t> widths(table.columns.size(), 0);
    for (const auto& line : lines)
        for (std::size_t c = 0; c < line.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(line[c]));

    std::string text;
    for (const auto& line : lines) {
        for (std::size_t c = 0; c < line.size() && c < widths.size(); ++c) {
            if (c > 0)
                text += kColumnGap;
            const std::size_t padding = widths[c] - DisplayWidth(line[c]);
            if (table.columns[c].alignRight) {
                text.append(padding, ' ');
                text += line[c];
            } else {
                text += line[c];
                // No trailing blanks after the last column.
                if (c + 1 < line.size())
                    text.append(padding, ' ');
            }
        }
        text += '\n';
    }
    return text;
}

std::string CsvTable(const Table& table)
{
    std::string text;
    const auto appendRecord = [&text](const auto& fields, const auto& textOf) {
        for (std::size_t c = 0; c < fields.size(); ++c) {
            if (c > 0)
                text += ',';
            text += CsvField(textOf(fields[c]));
        }
        text += kCsvLineEnd;
    };
    appendRecord(table.columns, [](const TableColumn& column) { return column.name; });
    for (const auto& row : table.rows)
        appendRecord(row, [](const TableCell& cell) { return cell.text; });
    return text;
}

std::string JsonTable(const Table& table)
{
    if (table.rows.empty())
        return "[]\n";
    std::string text = "[\n";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        text += "  {";
        for (std::size_t c = 0; c < row.size() && c < table.columns.size(); ++c) {
            if (c > 0)
                text += ", ";
            text += JsonString(table.columns[c].name);
            text += ": ";
            text += JsonValue(row[c]);
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
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

} // namespace velmora
