#include "platform/QtSettingsStore.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace velmora {

namespace {

const QString kOrganisation = QStringLiteral("Pellinor");
const QString kApplication = QStringLiteral("Brevalis");

/**
 * The settings kept in the given INI file, or the per-user ones; null when their file exists but
 * is not a regular file. QSettings would open a named pipe and wait for a writer for ever, and
 * replace whatever is there on writing: such a file is left alone and the values count as missing.
 */
std::unique_ptr<QSettings> OpenSettings(const QString& iniFile)
{
#ifdef Q_OS_WIN
    if (iniFile.isEmpty())
        return std::make_unique<QSettings>(kOrganisation, kApplication);
#endif
    // The file QSettings(kOrganisation, kApplication) keeps, named here so that it can be looked at
    // before QSettings opens it. The organisation-wide and system-wide files QSettings would also
    // read hold nothing this program writes, and are left out.
    const QString file = !iniFile.isEmpty()
                             ? iniFile
                             : QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                   QLatin1Char('/') + kOrganisation + QLatin1Char('/') + kApplication +
                                   QStringLiteral(".conf");
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        return nullptr;
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(const QString& iniFile) : m_iniFile(iniFile) {}

std::optional<std::string> QtSettingsStore::Query(const std::string& name)
{
    const auto settings = OpenSettings(m_iniFile);
    if (!settings)
        return std::nullopt;
    const QVariant value = settings->value(QString::fromStdString(name));
    // Text that is not UTF-8 (a file name's own bytes) is kept as bytes.
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    // A value of another type (a list, say, from a hand-edited file) is as good as missing.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString().toStdString();
}

void QtSettingsStore::Set(const std::string& name, const std::string& text)
{
    const auto settings = OpenSettings(m_iniFile);
    if (!settings)
        return;
    const QByteArray bytes = QByteArray::fromStdString(text);
    // A string would turn bytes that are not UTF-8 into replacement characters.
    if (!bytes.isValidUtf8())
        settings->setValue(QString::fromStdString(name), bytes);
    else
        settings->setValue(QString::fromStdString(name), QString::fromStdString(text));
}

} // namespace velmora
