#include "app/SpectrumUndoCommands.h"

#include "app/SpectrumDocument.h"

namespace velmora {

namespace {

/** Every key step shares one id; mergeWith then tells the nodes apart. */
constexpr int kKeyStepId = 1;

} // namespace

SpectrumChangeCommand::SpectrumChangeCommand(SpectrumDocument& document, const QString& text,
                                             const SpectrumState& before, const SpectrumState& after,
                                             int mergeNode)
    : QUndoCommand(text), m_document(document), m_before(before), m_after(after), m_mergeNode(mergeNode)
{
}

void SpectrumChangeCommand::undo()
{
    m_document.Restore(m_before, m_after.Nodes.Current);
}

void SpectrumChangeCommand::redo()
{
    // The stack redoes a step as it is pushed; the edit itself has already done that.
    if (m_applied) {
        m_applied = false;
        return;
    }
    m_document.Restore(m_after, m_after.Nodes.Current);
}

int SpectrumChangeCommand::id() const
{
    return m_mergeNode >= 0 ? kKeyStepId : -1;
}

bool SpectrumChangeCommand::mergeWith(const QUndoCommand* other)
{
    const auto* step = static_cast<const SpectrumChangeCommand*>(other);
    if (step->m_mergeNode != m_mergeNode || !SameSpectra(step->m_before, m_after))
        return false;
    m_after = step->m_after;
    // Up then Down again: nothing is left to undo.
    setObsolete(SameSpectra(m_before, m_after));
    return true;
}

} // namespace velmora
