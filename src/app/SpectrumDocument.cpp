#include "app/SpectrumDocument.h"

#include "app/UndoStep.h"
#include "edit/NodeEditing.h"
#include "platform/LocalPath.h"

#include <QFileInfo>

namespace velmora {

SpectrumDocument::SpectrumDocument(TSpectrumModel& model, Draw2DClass& surface, QObject* parent)
    : QObject(parent), m_model(model), m_surface(surface)
{
    m_stack.setUndoLimit(kUndoLimit);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &SpectrumDocument::StatusChanged);
}

void SpectrumDocument::Perform(std::unique_ptr<EditCommand> edit)
{
    if (!edit || !edit->Changes())
        return;
    // The stack redoes the step as it takes it: that is the edit's one application.
    m_stack.push(new UndoStep(std::move(edit), m_model, [this] { emit Changed(); }));
}

void SpectrumDocument::Select(int index)
{
    SelectNode(m_model, m_surface, index);
    emit CurrentChanged();
}

void SpectrumDocument::ViewChanged()
{
    emit Changed();
}

void SpectrumDocument::StartFile(const std::string& filePath)
{
    m_stack.clear();
    m_filePath = filePath;
    emit StatusChanged();
    emit Changed();
}

void SpectrumDocument::MarkSaved(const std::string& filePath)
{
    m_filePath = filePath;
    m_stack.setClean();
    emit StatusChanged();
}

void SpectrumDocument::MarkRecovered()
{
    m_stack.clear();
    m_filePath.clear();
    // No state of the history is the one on disk.
    m_stack.resetClean();
    emit StatusChanged();
    emit Changed();
}

QString SpectrumDocument::DisplayName() const
{
    return m_filePath.empty() ? QStringLiteral("Untitled") : QFileInfo(PathFromLocal(m_filePath)).fileName();
}

} // namespace velmora
