#include "app/RecoveryFile.h"

#include "io/DataFile.h"
#include "io/FileContents.h"
#include "model/SpectrumModel.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

namespace velmora {

namespace {

const QString kFileName = QStringLiteral("recovery.snd");
const QString kLockName = QStringLiteral("recovery.lock");

/**
 * True when text holds a whole spectrum as this program writes one: a level for every band of
 * its band set. Anything else is damage; reading it would show an empty spectrum in its place.
 */
bool ReadsAsSpectrum(const std::string& text)
{
    TSpectrumModel model;
    InitModel(model);
    ReadDataWords(model, text);
    return model.Nodes.Count > 0 && model.Nodes.Count == BandCountOf(model);
}

} // namespace

RecoveryFile::RecoveryFile(std::function<std::string()> contents, QObject* parent)
    : QObject(parent), m_contents(std::move(contents))
{
    m_timer.setInterval(kWriteInterval);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryFile::WriteIfChanged);
}

RecoveryFile::~RecoveryFile() = default;

void RecoveryFile::SetFolder(const QString& folder)
{
    if (!m_lock)
        m_folder = folder;
}

QString RecoveryFile::FilePath() const
{
    const QString folder =
        m_folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : m_folder;
    return QDir(folder).filePath(kFileName);
}

bool RecoveryFile::Own()
{
    if (m_off)
        return false;
    if (m_lock)
        return m_owned;
    const QString folder = QFileInfo(FilePath()).absolutePath();
    if (!QDir().mkpath(folder)) {
        TurnOff(QStringLiteral("the folder \"%1\" cannot be created").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    m_lock = std::make_unique<QLockFile>(QDir(folder).filePath(kLockName));
    // The lock passes only with its holder's death, never with its age: a long session keeps it.
    m_lock->setStaleLockTime(0);
    m_owned = m_lock->tryLock(0);
    if (!m_owned && m_lock->error() != QLockFile::LockFailedError)
        TurnOff(QStringLiteral("the folder \"%1\" is not writable").arg(QDir::toNativeSeparators(folder)));
    // LockFailedError: another running program keeps its own work there; this one leaves it alone.
    return m_owned;
}

void RecoveryFile::TurnOff(const QString& reason)
{
    if (m_off)
        return;
    m_off = true;
    m_timer.stop();
    emit Unavailable(reason);
}

void RecoveryFile::SetModified(bool modified)
{
    if (modified) {
        m_changed = true;
        if (!m_off && !m_timer.isActive())
            m_timer.start();
    } else {
        m_timer.stop();
        m_changed = false;
        Remove();
    }
}

void RecoveryFile::WriteIfChanged()
{
    if (m_changed)
        WriteNow();
}

bool RecoveryFile::WriteNow()
{
    if (!Own())
        return false;
    std::string reason;
    if (!ReplaceFileContents(FilePath().toStdString(), m_contents(), &reason)) {
        TurnOff(QStringLiteral("\"%1\" cannot be written: %2")
                    .arg(QDir::toNativeSeparators(FilePath()), QString::fromStdString(reason)));
        return false;
    }
    m_changed = false;
    return true;
}

void RecoveryFile::Remove()
{
    if (m_owned)
        QFile::remove(FilePath());
}

std::optional<std::string> RecoveryFile::TakeLeftover()
{
    if (!Own())
        return std::nullopt;
    const QString path = FilePath();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    std::string text;
    if (ReadFileContents(path.toStdString(), kMaxDataFileBytes, text) && ReadsAsSpectrum(text))
        return text;
    const QString aside = QFileInfo(path).absoluteDir().filePath(
        QStringLiteral("recovery-damaged-%1.snd")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
    if (!QFile::rename(path, aside))
        TurnOff(QStringLiteral("the damaged file \"%1\" could not be set aside")
                    .arg(QDir::toNativeSeparators(path)));
    return std::nullopt;
}

} // namespace velmora
