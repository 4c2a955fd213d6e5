#pragma once

#include "edit/NodeEditing.h"
#include "edit/SpectrumEditor.h"
#include "model/SpectrumModel.h"

#include <memory>
#include <vector>

namespace velmora::test {

/** An editor that applies each edit at once, as the document does, and keeps what it was sent. */
class AppliedEditor : public SpectrumEditor
{
public:
    AppliedEditor(TSpectrumModel& model, Draw2DClass& surface) : m_model(model), m_surface(surface) {}

    void Perform(std::unique_ptr<EditCommand> edit) override
    {
        ++performed;
        if (!edit)
            return;
        edit->Apply(m_model);
        edits.push_back(std::move(edit));
    }
    void Select(int index) override
    {
        selections.push_back(index);
        SelectNode(m_model, m_surface, index);
    }
    void ViewChanged() override { ++viewChanges; }

    std::vector<std::unique_ptr<EditCommand>> edits;
    std::vector<int> selections;
    int performed = 0;
    int viewChanges = 0;

private:
    TSpectrumModel& m_model;
    Draw2DClass& m_surface;
};

} // namespace velmora::test
