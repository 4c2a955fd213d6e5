#include "io/RecoveryText.h"

#include "io/DataFile.h"
#include "model/SpectrumModel.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <vector>

namespace velmora {

namespace {

constexpr std::string_view kFormatLine = "Velmora recovery lock";
constexpr std::string_view kPidKey = "pid";
constexpr std::string_view kHostKey = "host";
constexpr std::string_view kDocumentKey = "document";
constexpr std::string_view kEndKey = "end";

constexpr std::string_view kPrefix = "recovery";
constexpr std::size_t kMaxIdLength = 64;

constexpr char kHexDigits[] = "0123456789ABCDEF";

/** A value on one line whatever bytes it holds; '%' escapes itself. */
std::string Escaped(std::string_view value)
{
    std::string text;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            text += '%';
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0xF];
        } else {
            text += c;
        }
    }
    return text;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string value;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            value += text[i];
            continue;
        }
        if (text.size() - i < 3)
            return std::nullopt;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        value += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return value;
}

/** A whole decimal process id, 1 to 2^31 - 1. */
std::optional<std::int64_t> ProcessId(std::string_view text)
{
    std::int64_t pid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || text[0] == '-' ||
        pid < 1 || pid > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return pid;
}

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

/** The lock an earlier version wrote: pid, program name and host name, one a line. */
std::optional<RecoveryOwner> ReadEarlierLock(const std::vector<std::string_view>& lines)
{
    if (lines.size() < 3 || lines[2].empty())
        return std::nullopt;
    const std::optional<std::int64_t> pid = ProcessId(lines[0]);
    if (!pid)
        return std::nullopt;
    return RecoveryOwner{*pid, std::string(lines[2]), {}};
}

} // namespace

std::string RecoveryLockText(const RecoveryOwner& owner)
{
    std::string text(kFormatLine);
    text += '\n';
    const auto line = [&text](std::string_view key, std::string_view value) {
        text += key;
        text += ' ';
        text += value;
        text += '\n';
    };
    line(kPidKey, std::to_string(owner.Pid));
    line(kHostKey, Escaped(owner.Host));
    if (!owner.Document.empty() && owner.Document.size() <= kMaxRecoveryDocumentBytes)
        line(kDocumentKey, Escaped(owner.Document));
    text += kEndKey;
    text += '\n';
    return text;
}

std::optional<RecoveryOwner> ReadRecoveryLock(std::string_view text)
{
    if (text.size() > kMaxRecoveryLockBytes)
        return std::nullopt;
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.empty())
        return std::nullopt;
    if (lines[0] != kFormatLine)
        return ReadEarlierLock(lines);
    RecoveryOwner owner;
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        if (line == kEndKey) {
            if (owner.Pid < 1 || owner.Host.empty())
                return std::nullopt;
            return owner;
        }
        const std::size_t space = line.find(' ');
        if (space == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, space);
        const std::string_view value = line.substr(space + 1);
        if (key == kPidKey) {
            const std::optional<std::int64_t> pid = ProcessId(value);
            if (!pid)
                return std::nullopt;
            owner.Pid = *pid;
        } else if (key == kHostKey || key == kDocumentKey) {
            std::optional<std::string> unescaped = Unescaped(value);
            if (!unescaped)
                return std::nullopt;
            (key == kHostKey ? owner.Host : owner.Document) = std::move(*unescaped);
        }
    }
    // No "end": the text was cut short.
    return std::nullopt;
}

bool IsRecoveryId(std::string_view id)
{
    return !id.empty() && id.size() <= kMaxIdLength && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    });
}

std::optional<std::string> RecoveryStem(std::string_view name)
{
    constexpr std::string_view kEnds[] = {".snd", ".lock"};
    const auto end = std::find_if(std::begin(kEnds), std::end(kEnds),
                                  [name](std::string_view candidate) { return name.ends_with(candidate); });
    if (end == std::end(kEnds))
        return std::nullopt;
    name.remove_suffix(end->size());
    if (name == kPrefix)
        return std::string(name);
    if (!name.starts_with(kPrefix) || name.size() < kPrefix.size() + 2 || name[kPrefix.size()] != '.' ||
        !IsRecoveryId(name.substr(kPrefix.size() + 1)))
        return std::nullopt;
    return std::string(name);
}

bool HoldsWholeSpectrum(std::string_view text)
{
    TSpectrumModel model;
    InitModel(model);
    ReadDataWords(model, text);
    return model.Nodes.Count > 0 && model.Nodes.Count == BandCountOf(model);
}

} // namespace velmora
