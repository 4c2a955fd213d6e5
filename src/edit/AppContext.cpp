#include "edit/AppContext.h"

namespace velmora {

AppContext::AppContext(std::unique_ptr<SettingsStore> settings) : Settings(std::move(settings))
{
    InitModel(Model);
    Surface.SetComparison(&Comparison);
}

} // namespace velmora
