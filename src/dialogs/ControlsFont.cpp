#include "dialogs/ControlsFont.h"

namespace velmora {

QFont ControlsFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    return font;
}

} // namespace velmora
