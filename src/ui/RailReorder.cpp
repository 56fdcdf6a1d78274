#include "ui/RailReorder.h"

#include "web/TabList.h"
#include "web/TabListModel.h"

void RailReorder::dragChanged(const QUuid &tabId, double travel, bool ctrlHeld, TabListModel &tabs)
{
    if (!ctrlHeld)
        return;
    if (!m_draggedTabId) {
        m_draggedTabId = tabId;
        m_dragOffsetY = 0;
        m_slotShift = 0;
    } else if (*m_draggedTabId != tabId) {
        return;
    }
    m_dragOffsetY = travel - m_slotShift;
    const QList<TabModel> &list = tabs.tabs();
    const qsizetype index = TabList::indexOf(list, tabId);
    if (index < 0)
        return;
    if (m_dragOffsetY > swapThreshold && index < list.size() - 1) {
        tabs.reorderTabs(tabId, list.at(index + 1).id);
        m_slotShift += slotPitch;
        m_dragOffsetY -= slotPitch;
    } else if (m_dragOffsetY < -swapThreshold && index > 0) {
        tabs.reorderTabs(tabId, list.at(index - 1).id);
        m_slotShift -= slotPitch;
        m_dragOffsetY += slotPitch;
    }
}

void RailReorder::dragEnded()
{
    m_draggedTabId.reset();
    m_dragOffsetY = 0;
    m_slotShift = 0;
}
