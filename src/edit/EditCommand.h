#pragma once

#include "model/Bands.h"

#include <array>
#include <string>

namespace velmora {

struct TSpectrumModel;

/**
 * One edit of the spectra as a value that makes itself and takes itself back on the model. Apply
 * then Revert leaves what the user edits (SpectrumData) bit for bit as it was, and Revert then
 * Apply as the edit left it; both recalculate. Neither draws nor writes text: whoever runs the edit
 * announces the change, and the window redraws from the model.
 *
 * Revert also puts back the per-band results as they were before the edit: applying results swaps
 * them with the levels, so what they held is part of what an undo must restore.
 */
class EditCommand
{
public:
    virtual ~EditCommand() = default;

    /** Makes the edit and recalculates. */
    void Apply(TSpectrumModel& model);
    /** Takes the edit back, recalculates and restores the results as they were before it. */
    void Revert(TSpectrumModel& model);

    /** What the edit is called in the undo caption: "Level of 500Hz", "Swap Spectra". */
    virtual std::string Text() const = 0;

    /**
     * Folds a later edit, already applied, into this one when the two are one step to the user
     * (key steps on one node in a row); false, and nothing changed, when they are not.
     */
    virtual bool Absorb(const EditCommand& later)
    {
        (void)later;
        return false;
    }

    /** False when applying changes nothing, as key steps up and down again once absorbed. */
    virtual bool Changes() const { return true; }

protected:
    virtual void DoApply(TSpectrumModel& model) = 0;
    virtual void DoRevert(TSpectrumModel& model) = 0;

private:
    std::array<float, kBandSlots> m_resultsBefore{};
};

} // namespace velmora
