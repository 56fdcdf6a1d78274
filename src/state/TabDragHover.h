#pragma once

#include <QUuid>

#include <memory>

class Clock;
class TabListModel;
class TimerHandle;

// A drag held over a tab's rail button shows that tab after half a second,
// as a file manager opens a folder held under a drag: so that what is
// dragged (a shelf card) can reach any tab's page.
class TabDragHover final
{
public:
    static constexpr double dwellSeconds = 0.5;

    TabDragHover(TabListModel &tabs, Clock &clock);
    ~TabDragHover();

    // The drag came over the tab's button: the half second starts again.
    void entered(const QUuid &tabId);
    // The drag left the button, or ended there.
    void left();

private:
    TabListModel &m_tabs;
    Clock &m_clock;
    std::unique_ptr<TimerHandle> m_dwell;
};
