#pragma once

class QLabel;
class QString;

namespace velmora {

/**
 * Shows text on a one-line panel; when the panel is too narrow for all of it, the whole text
 * is also the panel's tooltip, so that nothing cut off is out of reach.
 */
void SetPanelText(QLabel& panel, const QString& text);

} // namespace velmora
