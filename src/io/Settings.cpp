#include "io/Settings.h"

namespace velmora {

std::optional<std::string> MemorySettingsStore::Query(const std::string& name)
{
    const auto found = Values.find(name);
    if (found == Values.end())
        return std::nullopt;
    return found->second;
}

void MemorySettingsStore::Set(const std::string& name, const std::string& text)
{
    Values[name] = text;
}

bool ReadSetting(SettingsStore& store, const std::string& name, std::string& buffer,
                 const std::string& defaultText, std::size_t bufferSize)
{
    const std::optional<std::string> stored = store.Query(name);
    if (!stored || stored->size() >= bufferSize) {
        buffer = defaultText;
        return false;
    }
    buffer = *stored;
    return true;
}

void WriteSetting(SettingsStore& store, const std::string& name, const std::string& text)
{
    store.Set(name, text);
}

} // namespace velmora
