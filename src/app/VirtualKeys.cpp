#include "app/VirtualKeys.h"

#include "graph/Draw2D.h"

namespace velmora {

int VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_Left:
        return VkLeft;
    case Qt::Key_Up:
        return VkUp;
    case Qt::Key_Right:
        return VkRight;
    case Qt::Key_Down:
        return VkDown;
    case Qt::Key_PageUp:
        return VkPageUp;
    case Qt::Key_PageDown:
        return VkPageDown;
    case Qt::Key_Home:
        return VkHome;
    case Qt::Key_End:
        return VkEnd;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VkReturn;
    case Qt::Key_Plus:
        return keypad ? VkAdd : VkPlusEquals;
    case Qt::Key_Equal:
        return VkPlusEquals;
    case Qt::Key_Minus:
        return keypad ? VkSubtract : VkMinusUnderscore;
    case Qt::Key_Underscore:
        return VkMinusUnderscore;
    default:
        return 0;
    }
}

} // namespace velmora
