#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLockFile;

namespace velmora {

/**
 * The copy of unsaved work that survives a crash. While the document holds unsaved changes, its
 * data-file text is written every few seconds, atomically, to "recovery.snd" in the per-user
 * data folder; a clean exit, a save or an undo back to the saved state removes it. The next run
 * finds a file left behind and offers it.
 *
 * One running program owns the folder's recovery file at a time, through a lock file beside it;
 * a second program started meanwhile keeps no recovery file and offers none. A folder that cannot
 * be created or written turns recovery off for the run, said once through Unavailable.
 */
class RecoveryFile : public QObject
{
    Q_OBJECT

public:
    /** Milliseconds between writes while there are unsaved changes. */
    static constexpr int kWriteInterval = 5000;

    /** contents gives the text to keep (the document as a data file). */
    explicit RecoveryFile(std::function<std::string()> contents, QObject* parent = nullptr);
    ~RecoveryFile() override;

    /** The folder to keep the file in; the per-user data folder unless set before first use. */
    void SetFolder(const QString& folder);
    QString FilePath() const;

    /** The document's modified state: true starts the periodic writes, false removes the file. */
    void SetModified(bool modified);
    /** Something changed: the next periodic write writes it. */
    void MarkChanged() { m_changed = true; }

    /** Writes the file at once; false when recovery is off or the write failed (which turns it off). */
    bool WriteNow();
    /** Removes this run's file: the work was saved or deliberately dropped. */
    void Remove();

    /**
     * The text of a file a run that ended without a clean exit left behind, if it reads as a
     * spectrum. One that does not read is renamed "recovery-damaged-DATE.snd" and left there;
     * should even that fail, recovery is off for the run so that it is never overwritten.
     */
    std::optional<std::string> TakeLeftover();

    bool IsOff() const { return m_off; }

signals:
    /** Recovery was turned off for the run; reason says why. Emitted at most once. */
    void Unavailable(const QString& reason);

private:
    /** True when this run owns the folder's recovery file (creating the folder and taking the lock). */
    bool Own();
    void TurnOff(const QString& reason);
    void WriteIfChanged();

    std::function<std::string()> m_contents;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_timer;
    bool m_owned = false;
    bool m_off = false;
    bool m_changed = false;
};

} // namespace velmora
