#include "app/RecoveryFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <chrono>

namespace velmora {

namespace {

/** A window's part of folder, or of the per-user data folder when folder is empty. */
std::unique_ptr<RecoveryFolder> PartOfFolder(const QString& folder)
{
    const QString path =
        folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : folder;
    return std::make_unique<RecoveryFolder>(QFile::encodeName(QDir(path).absolutePath()).toStdString(),
                                            NewRecoveryId(), LocalHostName());
}

} // namespace

RecoveryFile::RecoveryFile(std::function<std::string()> contents, QObject* parent)
    : QObject(parent), m_contents(std::move(contents)), m_folder(PartOfFolder({}))
{
    m_timer.setInterval(kWriteInterval);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryFile::WriteIfChanged);
}

RecoveryFile::~RecoveryFile() = default;

void RecoveryFile::SetFolder(const QString& folder)
{
    if (!m_folderMade)
        m_folder = PartOfFolder(folder);
}

QString RecoveryFile::FilePath() const
{
    return QFile::decodeName(m_folder->FilePath().c_str());
}

RecoveryFolder* RecoveryFile::Folder()
{
    if (m_off)
        return nullptr;
    if (!m_folderMade) {
        const QString folder = QFileInfo(FilePath()).absolutePath();
        if (!QDir().mkpath(folder)) {
            TurnOff(
                QStringLiteral("the folder \"%1\" cannot be created").arg(QDir::toNativeSeparators(folder)));
            return nullptr;
        }
        m_folderMade = true;
    }
    return m_folder.get();
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
    // Written again, too, when something removed this window's file or its lock.
    if (m_changed || !m_folder->Intact())
        WriteNow();
    m_folder->KeepAlive();
}

bool RecoveryFile::WriteNow()
{
    RecoveryFolder* folder = Folder();
    if (!folder)
        return false;
    std::string reason;
    if (!folder->Keep(m_contents(), QFile::encodeName(m_document).toStdString(), &reason)) {
        TurnOff(QStringLiteral("\"%1\" cannot be written: %2")
                    .arg(QDir::toNativeSeparators(FilePath()), QString::fromStdString(reason)));
        return false;
    }
    m_changed = false;
    return true;
}

void RecoveryFile::Remove()
{
    m_folder->Drop();
}

std::vector<RecoveryLeftover> RecoveryFile::TakeLeftovers()
{
    RecoveryFolder* folder = Folder();
    return folder ? folder->TakeLeftovers() : std::vector<RecoveryLeftover>();
}

QString RecoveryFile::Question(const RecoveryLeftover& work, std::size_t number, std::size_t count)
{
    QString text = count > 1 ? QStringLiteral("Velmora windows did not close properly and kept unsaved work "
                                              "(%1 of %2):\n")
                                   .arg(number)
                                   .arg(count)
                             : QStringLiteral("Velmora did not close properly and kept unsaved work:\n");
    if (work.Document.empty()) {
        text += QStringLiteral("an untitled spectrum");
    } else {
        const QFileInfo document(QFile::decodeName(work.Document.c_str()));
        text += QStringLiteral("\"%1\" in %2")
                    .arg(document.fileName(), QDir::toNativeSeparators(document.path()));
    }
    const auto kept = std::chrono::duration_cast<std::chrono::milliseconds>(work.KeptAt.time_since_epoch());
    text +=
        QStringLiteral(", kept %1")
            .arg(
                QDateTime::fromMSecsSinceEpoch(kept.count()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    if (!work.Host.empty())
        text += QStringLiteral(" on the computer \"%1\"").arg(QString::fromStdString(work.Host));
    text += QStringLiteral(".\nRestore it in this window? Later keeps it for the next start.");
    return text;
}

void RecoveryFile::Restored(RecoveryLeftover& work)
{
    // Removed only once this window keeps the work itself: a crash meanwhile loses nothing.
    if (WriteNow())
        SettleLeftover(work);
}

void RecoveryFile::Discard(RecoveryLeftover& work)
{
    SettleLeftover(work);
}

} // namespace velmora
