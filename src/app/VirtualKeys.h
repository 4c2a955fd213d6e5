#pragma once

#include <Qt>

namespace velmora {

/**
 * The virtual-key code of a Qt key, as the node editor and the view take them: the arrows,
 * Page Up/Down, Home, End, Enter, and the plus and minus keys told apart by the keypad
 * modifier. 0 for any other key.
 */
int VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);

} // namespace velmora
