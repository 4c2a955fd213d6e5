#pragma once

#include "edit/SpectrumEditor.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <string>

namespace velmora {

class Draw2DClass;
struct TSpectrumModel;

/**
 * The spectrum as a document: every edit runs through it as one step of the undo history, and it
 * says once that the spectrum changed, after which the text lines, the ratings panel and the graph
 * refresh from the model. It also knows the file the spectrum came from or was last saved to, and
 * whether it holds changes not saved yet. View changes (zoom, pan, extents, overlay) are never
 * steps; a change of the current node is announced apart.
 */
class SpectrumDocument : public QObject, public SpectrumEditor
{
    Q_OBJECT

public:
    /** Most undo steps kept; older ones are dropped, so the history's memory stays bounded. */
    static constexpr int kUndoLimit = 2000;

    SpectrumDocument(TSpectrumModel& model, Draw2DClass& surface, QObject* parent = nullptr);

    QUndoStack& UndoStack() { return m_stack; }

    /** Applies edit as a step named by its text ("Undo Paste Levels"); a null edit does nothing. */
    void Perform(std::unique_ptr<EditCommand> edit) override;
    /** Makes node index current, moving its marker, and announces CurrentChanged. */
    void Select(int index) override;
    /** The view changed and the model was recalculated: announces Changed, records nothing. */
    void ViewChanged() override;

    /**
     * A file was read into the model: the history is cleared and the document is that file,
     * unmodified. filePath is a local path, the bytes of the name as the system gave them.
     */
    void StartFile(const std::string& filePath);
    /** The model was written to filePath: the document is that file, and unmodified. */
    void MarkSaved(const std::string& filePath);
    /** Unsaved work was put back into the model: no file, an empty history, modified. */
    void MarkRecovered();

    /** The document's file as a local path, empty when it has none. */
    const std::string& FilePath() const { return m_filePath; }
    /** The file's name without its folder, or "Untitled". */
    QString DisplayName() const;
    bool IsModified() const { return !m_stack.isClean(); }

signals:
    /** The spectrum or its ratings changed: an edit, an undo, a redo, a file read or a view setup. */
    void Changed();
    /** Another node became current. */
    void CurrentChanged();
    /** The file or the modified state changed: the caption follows. */
    void StatusChanged();

private:
    TSpectrumModel& m_model;
    Draw2DClass& m_surface;
    QUndoStack m_stack;
    std::string m_filePath;
};

} // namespace velmora
