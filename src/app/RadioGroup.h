#pragma once

#include <QList>

class QAction;
class QActionGroup;
class QObject;

namespace velmora {

/**
 * Menu items that show a round check mark on at most one of them. Only the program checks
 * them: Refresh puts back the group's own state after Qt toggles an item on a click.
 */
class RadioGroup
{
public:
    explicit RadioGroup(QObject* owner);

    /** Makes item checkable with a round mark and adds it to the group. */
    void Add(QAction* item);
    /** Checks item and unchecks every other item of the group. */
    void Check(QAction* item);
    /** Unchecks item if it is the checked one. */
    void Uncheck(QAction* item);
    /** Shows the group's state on its items. */
    void Refresh();

    QAction* Checked() const { return m_checked; }

private:
    QActionGroup* m_style;
    QList<QAction*> m_items;
    QAction* m_checked = nullptr;
};

} // namespace velmora
