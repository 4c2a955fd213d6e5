#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>

namespace velmora {

/** A per-user store of named text values kept between runs. */
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    /** The stored text of a value, or nothing when it is missing or unreadable. */
    virtual std::optional<std::string> Query(const std::string& name) = 0;
    /** Stores a value, creating the store's key if needed; failures are silent. */
    virtual void Set(const std::string& name, const std::string& text) = 0;
};

/** A store that keeps its values in memory only, for runs that must leave the user's settings alone. */
class MemorySettingsStore : public SettingsStore
{
public:
    std::optional<std::string> Query(const std::string& name) override;
    void Set(const std::string& name, const std::string& text) override;

    std::map<std::string, std::string> Values;
};

/**
 * Reads a value into buffer. When the value is missing, or its text with a terminating zero
 * would not fit bufferSize bytes, buffer gets defaultText and the result is false.
 */
bool ReadSetting(SettingsStore& store, const std::string& name, std::string& buffer,
                 const std::string& defaultText, std::size_t bufferSize);

/** Writes a value; the caller learns nothing of the outcome. */
void WriteSetting(SettingsStore& store, const std::string& name, const std::string& text);

} // namespace velmora
