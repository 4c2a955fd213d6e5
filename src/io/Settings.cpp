#include "io/Settings.h"

namespace velmora {

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
