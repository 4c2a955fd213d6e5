#pragma once

#include "io/RecoveryFolder.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

/**
 * The copy of a window's unsaved work that survives a crash. While the document holds unsaved
 * changes, its data-file text is written every few seconds, atomically, to a recovery file of
 * this window's own in the per-user data folder ("recovery.ID.snd", see RecoveryFolder); a clean
 * exit, a save or an undo back to the saved state removes it. Every window keeps its own, so
 * several windows at once each keep theirs, and the next start offers each one that a window
 * which is gone left behind.
 *
 * A folder that cannot be created or written turns recovery off for the run, said once through
 * Unavailable.
 *
 * The window's start-up offer is a short loop over TakeLeftovers: ask Question about each; on
 * Restore read its Text into the document, mark the document recovered and call Restored (and
 * ask no more: one window takes one); on Discard call Discard; any other answer leaves it for the
 * next start.
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
    /** This window's recovery file. */
    QString FilePath() const;

    /**
     * The document's data file (empty when it has none), kept with the work from the next write
     * on so that the next start can name it.
     */
    void SetDocumentPath(const QString& path) { m_document = path; }

    /** The document's modified state: true starts the periodic writes, false removes the file. */
    void SetModified(bool modified);
    /** Something changed: the next periodic write writes it. */
    void MarkChanged() { m_changed = true; }

    /** Writes the file at once; false when recovery is off or the write failed (which turns it off). */
    bool WriteNow();
    /** Removes this window's file: the work was saved or deliberately dropped. */
    void Remove();

    /**
     * The work that windows which are gone left unsaved, newest first; each is this window's to
     * offer until it is restored, discarded or dropped (then it stays for the next start).
     * Recovery files that do not hold a whole spectrum, links and other files that are not
     * regular files are set aside as "recovery-damaged-DATE.snd" and never read.
     */
    std::vector<RecoveryLeftover> TakeLeftovers();

    /**
     * The question about work, the number-th (from 1) of count offered: when it was kept, the
     * data file it came from if it had one, and the host when another host kept it.
     */
    static QString Question(const RecoveryLeftover& work, std::size_t number, std::size_t count);

    /**
     * Work's text was read into the document, now marked recovered: it is written at once as
     * this window's own, and its old file removed once that succeeded (otherwise it stays for the
     * next start).
     */
    void Restored(RecoveryLeftover& work);
    /** The user dropped work: its files are removed. */
    void Discard(RecoveryLeftover& work);

    bool IsOff() const { return m_off; }

signals:
    /** Recovery was turned off for the run; reason says why. Emitted at most once. */
    void Unavailable(const QString& reason);

private:
    /** This window's part of the folder, creating the folder on first use; null once off. */
    RecoveryFolder* Folder();
    void TurnOff(const QString& reason);
    void WriteIfChanged();

    std::function<std::string()> m_contents;
    QString m_document;
    std::unique_ptr<RecoveryFolder> m_folder;
    bool m_folderMade = false;
    QTimer m_timer;
    bool m_off = false;
    bool m_changed = false;
};

} // namespace velmora
