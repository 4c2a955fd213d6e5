#pragma once

#include "edit/EditCommand.h"

#include <QUndoCommand>

#include <functional>
#include <memory>

namespace velmora {

struct TSpectrumModel;

/**
 * An edit as a step of the undo history: redo applies it and undo reverts it, each followed by
 * changed (the document's one announcement). Key steps on one node in a row become one step; one
 * that ends where it began leaves the history.
 */
class UndoStep : public QUndoCommand
{
public:
    UndoStep(std::unique_ptr<EditCommand> edit, TSpectrumModel& model, std::function<void()> changed);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    std::unique_ptr<EditCommand> m_edit;
    TSpectrumModel& m_model;
    std::function<void()> m_changed;
};

} // namespace velmora
