#include "app/SpectrumDocument.h"

#include "app/SpectrumUndoCommands.h"
#include "graph/Draw2D.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <QFileInfo>

namespace velmora {

SpectrumDocument::SpectrumDocument(TSpectrumModel& model, Draw2DClass& surface, ResultView* view,
                                   QObject* parent)
    : QObject(parent), m_model(model), m_surface(surface), m_view(view), m_recorded(CaptureSpectrum(model))
{
    m_stack.setUndoLimit(kUndoLimit);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &SpectrumDocument::StatusChanged);
    connect(&m_stack, &QUndoStack::indexChanged, this, &SpectrumDocument::Edited);
}

void SpectrumDocument::ApplyChange(const QString& actionText, const std::function<void()>& change)
{
    // Commit compares the spectra themselves, so whatever the change touched is recorded.
    change();
    Commit(actionText);
}

void SpectrumDocument::Commit(const QString& actionText, int mergeNode)
{
    const SpectrumState now = CaptureSpectrum(m_model);
    const SpectrumState before = m_recorded;
    m_recorded = now;
    if (SameSpectra(before, now))
        return;
    m_stack.push(new SpectrumChangeCommand(*this, actionText, before, now, mergeNode));
}

void SpectrumDocument::Rebase()
{
    m_recorded = CaptureSpectrum(m_model);
}

void SpectrumDocument::StartFile(const QString& filePath)
{
    m_recorded = CaptureSpectrum(m_model);
    m_stack.clear();
    m_filePath = filePath;
    emit StatusChanged();
}

void SpectrumDocument::MarkSaved(const QString& filePath)
{
    m_filePath = filePath;
    m_stack.setClean();
    emit StatusChanged();
}

void SpectrumDocument::MarkRecovered()
{
    m_recorded = CaptureSpectrum(m_model);
    m_stack.clear();
    m_filePath.clear();
    // No state of the history is the one on disk.
    m_stack.resetClean();
    emit StatusChanged();
    emit Edited();
}

QString SpectrumDocument::DisplayName() const
{
    return m_filePath.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_filePath).fileName();
}

void SpectrumDocument::Restore(const SpectrumState& state, int current)
{
    RestoreSpectrum(m_model, state);
    if (current >= 0 && current < state.Nodes.Count)
        m_model.Nodes.Current = current;
    Recalculate(m_model, m_view);
    m_surface.Redraw();
    m_recorded = CaptureSpectrum(m_model);
    emit Restored();
}

} // namespace velmora
