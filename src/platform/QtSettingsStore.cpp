#include "platform/QtSettingsStore.h"

#include <QSettings>

#include <memory>

namespace velmora {

namespace {

std::unique_ptr<QSettings> OpenSettings(const QString& iniFile)
{
    if (iniFile.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("Pellinor"), QStringLiteral("Brevalis"));
    return std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}

} // namespace

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(const QString& iniFile) : m_iniFile(iniFile) {}

std::optional<std::string> QtSettingsStore::Query(const std::string& name)
{
    const auto settings = OpenSettings(m_iniFile);
    const QVariant value = settings->value(QString::fromStdString(name));
    // A value of another type (a list, say, from a hand-edited file) is as good as missing.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString().toStdString();
}

void QtSettingsStore::Set(const std::string& name, const std::string& text)
{
    const auto settings = OpenSettings(m_iniFile);
    settings->setValue(QString::fromStdString(name), QString::fromStdString(text));
}

} // namespace velmora
