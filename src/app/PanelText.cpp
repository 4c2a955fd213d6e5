#include "app/PanelText.h"

#include <QLabel>

namespace velmora {

void SetPanelText(QLabel& panel, const QString& text)
{
    if (panel.text() != text)
        panel.setText(text);
    const int room = panel.contentsRect().width() - 2 * panel.margin();
    const bool cut = panel.fontMetrics().horizontalAdvance(text) > room;
    panel.setToolTip(cut ? text : QString());
}

} // namespace velmora
