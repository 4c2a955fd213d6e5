#include "app/RadioGroup.h"

#include <QAction>
#include <QActionGroup>

namespace velmora {

RadioGroup::RadioGroup(QObject* owner) : m_style(new QActionGroup(owner))
{
    // The action group gives the items their round mark; which one is checked is decided here.
    m_style->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
}

void RadioGroup::Add(QAction* item)
{
    item->setCheckable(true);
    m_style->addAction(item);
    m_items.append(item);
    item->setChecked(item == m_checked);
}

void RadioGroup::Check(QAction* item)
{
    m_checked = item;
    Refresh();
}

void RadioGroup::Uncheck(QAction* item)
{
    if (m_checked == item)
        m_checked = nullptr;
    Refresh();
}

void RadioGroup::Refresh()
{
    for (QAction* item : m_items)
        item->setChecked(item == m_checked);
}

} // namespace velmora
