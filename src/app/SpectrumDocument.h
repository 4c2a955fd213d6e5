#pragma once

#include "model/SpectrumState.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>

namespace velmora {

class Draw2DClass;
class ResultView;
struct TSpectrumModel;

/**
 * The spectrum as a document: the undo history of every edit of the spectra, the file the
 * spectrum came from or was last saved to, and whether it holds changes not saved yet.
 *
 * The document keeps the state it last recorded. An edit runs on the model as before and is then
 * recorded as one undo step holding the state before and after it; a step whose spectra are
 * bit for bit the same as before is not recorded. View changes (zoom, pan, extents, overlay)
 * and a change of the current node alone are never steps.
 */
class SpectrumDocument : public QObject
{
    Q_OBJECT

public:
    /** Most undo steps kept; older ones are dropped, so the history's memory stays bounded. */
    static constexpr int kUndoLimit = 2000;

    /** view receives the status and result lines when an undo or redo recalculates; it may be null. */
    SpectrumDocument(TSpectrumModel& model, Draw2DClass& surface, ResultView* view,
                     QObject* parent = nullptr);

    QUndoStack& UndoStack() { return m_stack; }

    /**
     * Runs change, which edits the model in any way (and may recalculate and redraw), and records
     * whatever it changed in the spectra as one undo step named actionText ("Paste Levels"
     * shows as "Undo Paste Levels"). A change that left the spectra as they were records nothing.
     */
    void ApplyChange(const QString& actionText, const std::function<void()>& change);

    /**
     * Records as one undo step what the spectra changed since the last step, for edits that ran
     * already (a drag at its release). Consecutive steps given the same mergeNode (0 or more: the
     * key steps on one node) become one; a merged step that ends where it began is dropped.
     */
    void Commit(const QString& actionText, int mergeNode = -1);

    /** Takes the model's spectra as they are, without an undo step (after the band set was rebuilt for the
     * view). */
    void Rebase();

    /** A file was read into the model: the history is cleared and the document is that file, unmodified. */
    void StartFile(const QString& filePath);
    /** The model was written to filePath: the document is that file, and unmodified. */
    void MarkSaved(const QString& filePath);
    /** Unsaved work was put back into the model: no file, an empty history, modified. */
    void MarkRecovered();

    /** The document's file, empty when it has none. */
    QString FilePath() const { return m_filePath; }
    /** The file's name without its folder, or "Untitled". */
    QString DisplayName() const;
    bool IsModified() const { return !m_stack.isClean(); }

    /**
     * Puts a state back into the model bit for bit, with current node current (when it is a node
     * of that state), recalculates and redraws; the undo steps use it.
     */
    void Restore(const SpectrumState& state, int current);

signals:
    /** The file or the modified state changed: the caption follows. */
    void StatusChanged();
    /** An undo or redo put a state back into the model. */
    void Restored();
    /** A step was recorded, undone or redone. */
    void Edited();

private:
    TSpectrumModel& m_model;
    Draw2DClass& m_surface;
    ResultView* m_view;
    QUndoStack m_stack;
    SpectrumState m_recorded;
    QString m_filePath;
};

} // namespace velmora
