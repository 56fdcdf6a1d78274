#include "web/WebContainerView.h"

#include "state/AppState.h"
#include "ui/EntryMenu.h"
#include "web/HibernationEngine.h"
#include "web/PageContextMenu.h"

#include <QVBoxLayout>

WebContainerView::WebContainerView(AppState &state, HibernationEngine &engine, QWidget *parent)
    : QWidget(parent), m_state(state), m_engine(engine), m_layout(new QVBoxLayout(this)), m_stager(state.shelf())
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    connect(&m_engine, &HibernationEngine::pageMenuAsked, this, &WebContainerView::showMenu);
}

WebContainerView::~WebContainerView()
{
    releaseShownView();
}

// Borrowed views go back to nobody: the pool still holds their pages.
void WebContainerView::releaseShownView()
{
    while (QLayoutItem *item = m_layout->takeAt(0)) {
        if (QWidget *shown = item->widget()) {
            shown->hide();
            shown->setParent(nullptr);
        }
        delete item;
    }
}

void WebContainerView::showTab(const TabModel &tab)
{
    QWidget *view = m_engine.getOrCreateWebView(tab).view();
    if (view && view->parentWidget() != this) {
        releaseShownView();
        m_layout->addWidget(view);
        view->show();
    }
    m_engine.applyUserAgentMode(tab);
}

void WebContainerView::showMenu(const QUuid &tabId, const WebPage::MenuRequest &request, QPoint globalPosition)
{
    const WebPage *page = m_engine.existingWebView(tabId);
    if (!page || !page->view() || page->view()->parentWidget() != this)
        return;
    EntryMenu::popUp(this, QStringLiteral("Page"), PageContextMenu::entries(request), globalPosition,
                     [this, request, tabId](PageContextMenu::Action what) {
                         PageContextMenu::run(what, request, tabId, m_state, m_engine, m_stager);
                     });
}
