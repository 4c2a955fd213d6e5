#pragma once

#include "model/SpectrumState.h"

#include <QUndoCommand>

namespace velmora {

class SpectrumDocument;

/**
 * One edit of the spectra: the state before and after it. The edit has already run when the
 * step is pushed, so its first redo does nothing. Undo reselects the node the edit left current.
 */
class SpectrumChangeCommand : public QUndoCommand
{
public:
    /** mergeNode 0 or more: a key step on that node, which merges with the key step before it on the same
     * node. */
    SpectrumChangeCommand(SpectrumDocument& document, const QString& text, const SpectrumState& before,
                          const SpectrumState& after, int mergeNode);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    SpectrumDocument& m_document;
    SpectrumState m_before;
    SpectrumState m_after;
    int m_mergeNode;
    bool m_applied = true;
};

} // namespace velmora
