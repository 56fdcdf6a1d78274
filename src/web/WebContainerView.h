#pragma once

#include <QWidget>

class HibernationEngine;
class QVBoxLayout;
struct TabModel;

// Shows a tab's page, borrowed from the hibernation engine's pool; the page
// stays in the pool (and keeps running) when another tab is shown.
class WebContainerView final : public QWidget
{
    Q_OBJECT

public:
    explicit WebContainerView(HibernationEngine &engine, QWidget *parent = nullptr);
    // Gives the borrowed view back rather than deleting it with this widget.
    ~WebContainerView() override;

    // Shows the tab, creating its page if it has none, and applies a changed
    // user agent mode (which reloads the page once).
    void showTab(const TabModel &tab);

private:
    void releaseShownView();

    HibernationEngine &m_engine;
    QVBoxLayout *m_layout;
};
