#pragma once

#include "edit/EditCommand.h"

#include <memory>

namespace velmora {

/**
 * Where the windows send what the user does to the spectra. The document implements it: an edit
 * becomes one undoable step, and every change is announced once, after which the text lines, the
 * ratings panel and the graph refresh from the model.
 */
class SpectrumEditor
{
public:
    virtual ~SpectrumEditor() = default;

    /** Applies an edit as one undoable step and announces it; a null edit does nothing. */
    virtual void Perform(std::unique_ptr<EditCommand> edit) = 0;
    /** Makes node index current (-1 for none) and announces it; not an edit. */
    virtual void Select(int index) = 0;
    /** Announces a change of the view that also recalculated (graph extents, a file read); not an edit. */
    virtual void ViewChanged() = 0;
};

} // namespace velmora
