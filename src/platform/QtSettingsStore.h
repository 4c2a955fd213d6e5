#pragma once

#include "io/Settings.h"

#include <QString>

namespace velmora {

/**
 * The per-user settings store: organisation "Pellinor", application "Brevalis" (the registry
 * key SOFTWARE\Pellinor\Brevalis on Windows, elsewhere the file Pellinor/Brevalis.conf in the
 * user's configuration folder, $XDG_CONFIG_HOME or ~/.config). A settings file that exists but is
 * not a regular file (a named pipe, a folder) is neither read nor written: every value is missing.
 */
class QtSettingsStore : public SettingsStore
{
public:
    QtSettingsStore();
    /** A store kept in an INI file of its own, for tests and portable use. */
    explicit QtSettingsStore(const QString& iniFile);

    std::optional<std::string> Query(const std::string& name) override;
    void Set(const std::string& name, const std::string& text) override;

private:
    QString m_iniFile;
};

} // namespace velmora
