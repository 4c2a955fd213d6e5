#pragma once

namespace velmora {

struct TSpectrumModel;
struct TabularLevels;
class Draw2DClass;
class ResultView;

/**
 * Puts levels read by ReadTabularLevels into the edited spectrum as the window shows it: the
 * model's step (ImportLevels, band-set switch included), then, when the band set changed, the
 * graph set up again keeping the levels (SetupGraph), else the recalculation; then the redraw.
 * Every paste, import and dropped file goes through here, so they behave alike and form one
 * step. False, and nothing changed, only for a model in neither band set.
 */
bool PasteLevels(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, const TabularLevels& levels);

} // namespace velmora
