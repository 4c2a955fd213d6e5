#pragma once

#include <string>

namespace velmora {

struct TSpectrumModel;

/**
 * One edit of the spectra as a value that makes itself and takes itself back on the model. Apply
 * then Revert leaves what the user edits (SpectrumData) bit for bit as it was, and Revert then
 * Apply as the edit left it; both recalculate. Neither draws nor writes text: whoever runs the edit
 * announces the change, and the window redraws from the model.
 */
class EditCommand
{
public:
    virtual ~EditCommand() = default;

    virtual void Apply(TSpectrumModel& model) = 0;
    virtual void Revert(TSpectrumModel& model) = 0;

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
};

} // namespace velmora
