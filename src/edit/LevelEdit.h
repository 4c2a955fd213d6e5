#pragma once

#include "edit/EditCommand.h"

#include <memory>

namespace velmora {

/** How a node's level was set: a key step merges with the key steps on the same node before it. */
enum class LevelEditKind { Drag, Typed, KeyStep };

/**
 * One node's level set from one value to another: a drag from press to release, a key step or a
 * level typed in the Edit Node dialog. Apply and Revert make the node current again.
 */
class LevelEdit : public EditCommand
{
public:
    /** node 0 to Count - 1 of the model it is applied to; before and after are levels in dB, any float. */
    LevelEdit(int node, float frequencyHz, float before, float after, LevelEditKind kind);

    /** "Level of 500Hz". */
    std::string Text() const override;
    bool Absorb(const EditCommand& later) override;
    /** False when before and after are the same bits. */
    bool Changes() const override;

    int Node() const { return m_node; }
    float Before() const { return m_before; }
    float After() const { return m_after; }

protected:
    void DoApply(TSpectrumModel& model) override;
    void DoRevert(TSpectrumModel& model) override;

private:
    void SetLevel(TSpectrumModel& model, float level) const;

    int m_node;
    float m_frequency;
    float m_before;
    float m_after;
    LevelEditKind m_kind;
};

/**
 * The current node's level set to level; null without a valid current node. The node's
 * frequency names the step.
 */
std::unique_ptr<LevelEdit> MakeLevelEdit(const TSpectrumModel& model, float level, LevelEditKind kind);

/**
 * Up or Down on the current node: 1 dB, or 0.1 dB when fine, from the level as the status line
 * shows it (to one decimal), so that steps land on the 0.1 dB grid; a NaN or infinite level
 * counts as 0. Null without a valid current node.
 */
std::unique_ptr<LevelEdit> MakeKeyStep(const TSpectrumModel& model, bool up, bool fine);

} // namespace velmora
