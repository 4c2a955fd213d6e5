#include "edit/LevelEdit.h"

#include "entry/NumberText.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"

#include <array>
#include <charconv>
#include <cmath>

namespace velmora {

namespace {

constexpr float kKeyStep = 1.0f;
constexpr float kFineKeyStep = 0.1f;

/**
 * level rounded to one decimal as "%0.1f" shows it, read back in the "C" locale. A NaN or
 * infinite level, shown without a number, counts as 0 so that the keys lead back to a real one.
 */
float DisplayedLevel(float level)
{
    if (!std::isfinite(level))
        return 0.0f;
    // The largest float has 39 digits before the point.
    std::array<char, 64> text{};
    const auto printed =
        std::to_chars(text.data(), text.data() + text.size(), level, std::chars_format::fixed, 1);
    float shown = 0.0f;
    std::from_chars(text.data(), printed.ptr, shown, std::chars_format::fixed);
    return shown;
}

} // namespace

LevelEdit::LevelEdit(int node, float frequencyHz, float before, float after, LevelEditKind kind)
    : m_node(node), m_frequency(frequencyHz), m_before(before), m_after(after), m_kind(kind)
{
}

void LevelEdit::SetLevel(TSpectrumModel& model, float level) const
{
    if (!ValidNode(model, m_node))
        return;
    SetNodeLevel(model, m_node, level);
    model.Nodes.Current = m_node;
    Recalculate(model);
}

void LevelEdit::DoApply(TSpectrumModel& model)
{
    SetLevel(model, m_after);
}

void LevelEdit::DoRevert(TSpectrumModel& model)
{
    SetLevel(model, m_before);
}

std::string LevelEdit::Text() const
{
    return "Level of " + FixedText(m_frequency, 0) + "Hz";
}

bool LevelEdit::Absorb(const EditCommand& later)
{
    const auto* step = dynamic_cast<const LevelEdit*>(&later);
    if (!step || m_kind != LevelEditKind::KeyStep || step->m_kind != LevelEditKind::KeyStep ||
        step->m_node != m_node || !SameBits(step->m_before, m_after))
        return false;
    m_after = step->m_after;
    return true;
}

bool LevelEdit::Changes() const
{
    return !SameBits(m_before, m_after);
}

std::unique_ptr<LevelEdit> MakeLevelEdit(const TSpectrumModel& model, float level, LevelEditKind kind)
{
    const int node = model.Nodes.Current;
    if (!ValidNode(model, node))
        return nullptr;
    const int band = BandIndexOfSlot(model, node);
    const float frequency = band >= 0 && band < kBandSlots ? BandFrequency[band] : 0.0f;
    return std::make_unique<LevelEdit>(node, frequency, model.Nodes.Node[node].Y, level, kind);
}

std::unique_ptr<LevelEdit> MakeKeyStep(const TSpectrumModel& model, bool up, bool fine)
{
    const TNode node = GetNode(model, model.Nodes.Current);
    const float step = fine ? kFineKeyStep : kKeyStep;
    const float shown = DisplayedLevel(node.Y);
    return MakeLevelEdit(model, up ? shown + step : shown - step, LevelEditKind::KeyStep);
}

} // namespace velmora
