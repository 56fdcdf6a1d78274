#include "web/WebContainerView.h"

#include "web/HibernationEngine.h"

#include <QVBoxLayout>

WebContainerView::WebContainerView(HibernationEngine &engine, QWidget *parent)
    : QWidget(parent), m_engine(engine), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
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
