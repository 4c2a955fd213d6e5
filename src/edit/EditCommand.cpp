#include "edit/EditCommand.h"

#include "model/SpectrumModel.h"

namespace velmora {

void EditCommand::Apply(TSpectrumModel& model)
{
    m_resultsBefore = model.Results;
    DoApply(model);
}

void EditCommand::Revert(TSpectrumModel& model)
{
    DoRevert(model);
    model.Results = m_resultsBefore;
}

} // namespace velmora
