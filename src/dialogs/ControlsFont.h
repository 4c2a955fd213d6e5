#pragma once

#include <QFont>
#include <QStringList>

namespace velmora {

/** The font of the windows' controls: "MS Sans Serif" 8 pt, or its nearest match here. */
QFont ControlsFont();

} // namespace velmora
