#pragma once

#include <QUuid>

#include <optional>

class TabListModel;

// Reordering the rail's tabs by Ctrl-dragging one: each time the slot has
// travelled more than half a slot past its neighbour, the two swap places.
class RailReorder final
{
public:
    static constexpr double slotPitch = 46;
    static constexpr double swapThreshold = 26;
    // A press must travel this far before it counts as a drag.
    static constexpr double minimumDistance = 3;

    // The drag of `tabId`'s slot has moved `travel` points downwards (negative:
    // upwards) from where it began. Without Ctrl held, or while another tab is
    // being dragged, nothing happens.
    void dragChanged(const QUuid &tabId, double travel, bool ctrlHeld, TabListModel &tabs);
    void dragEnded();

    const std::optional<QUuid> &draggedTabId() const { return m_draggedTabId; }
    // Where the dragged slot is drawn, relative to its place in the rail.
    double dragOffsetY() const { return m_dragOffsetY; }

private:
    std::optional<QUuid> m_draggedTabId;
    double m_dragOffsetY = 0;
    // How far the slot itself has moved by swapping since the drag began.
    double m_slotShift = 0;
};
