#include "app/UndoStep.h"

#include <QString>

namespace velmora {

namespace {

/** Every step shares one id, so the stack offers each new step to the one before; Absorb decides. */
constexpr int kEditStepId = 1;

} // namespace

UndoStep::UndoStep(std::unique_ptr<EditCommand> edit, TSpectrumModel& model, std::function<void()> changed)
    : QUndoCommand(QString::fromStdString(edit->Text())), m_edit(std::move(edit)), m_model(model),
      m_changed(std::move(changed))
{
}

void UndoStep::undo()
{
    m_edit->Revert(m_model);
    m_changed();
}

void UndoStep::redo()
{
    m_edit->Apply(m_model);
    m_changed();
}

int UndoStep::id() const
{
    return kEditStepId;
}

bool UndoStep::mergeWith(const QUndoCommand* other)
{
    if (!m_edit->Absorb(*static_cast<const UndoStep*>(other)->m_edit))
        return false;
    // Up then Down again: nothing is left to undo.
    setObsolete(!m_edit->Changes());
    return true;
}

} // namespace velmora
