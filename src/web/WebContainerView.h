#pragma once

#include "platform/WebPage.h"
#include "shelf/DropStager.h"

#include <QUuid>
#include <QWidget>

class AppState;
class HibernationEngine;
class QVBoxLayout;
struct TabModel;

// Shows a tab's page, borrowed from the hibernation engine's pool; the page
// stays in the pool (and keeps running) when another tab is shown. A right
// click in the page opens the page's menu.
class WebContainerView final : public QWidget
{
    Q_OBJECT

public:
    WebContainerView(AppState &state, HibernationEngine &engine, QWidget *parent = nullptr);
    // Gives the borrowed view back rather than deleting it with this widget.
    ~WebContainerView() override;

    // Shows the tab, creating its page if it has none, and applies a changed
    // user agent mode (which reloads the page once).
    void showTab(const TabModel &tab);

private:
    void releaseShownView();
    void showMenu(const QUuid &tabId, const WebPage::MenuRequest &request, QPoint globalPosition);

    AppState &m_state;
    HibernationEngine &m_engine;
    QVBoxLayout *m_layout;
    DropStager m_stager;
};
