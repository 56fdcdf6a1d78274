#include "state/TabDragHover.h"

#include "platform/Clock.h"
#include "web/TabList.h"
#include "web/TabListModel.h"

TabDragHover::TabDragHover(TabListModel &tabs, Clock &clock) : m_tabs(tabs), m_clock(clock)
{
}

TabDragHover::~TabDragHover() = default;

void TabDragHover::entered(const QUuid &tabId)
{
    m_dwell = m_clock.singleShot(dwellSeconds, [this, tabId] {
        // The tab may have gone while the drag waited.
        if (TabList::indexOf(m_tabs.tabs(), tabId) < 0)
            return;
        m_tabs.selectTab(tabId);
    });
}

void TabDragHover::left()
{
    m_dwell.reset();
}
