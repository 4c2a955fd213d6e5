#pragma once

#include "io/Settings.h"

#include <QString>

namespace velmora {

/**
 * The per-user settings store: organisation "Pellinor", application "Brevalis" (the registry
 * key SOFTWARE\Pellinor\Brevalis on Windows, an XDG config file elsewhere).
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
