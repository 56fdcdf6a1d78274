#include "platform/qt/PopupWindow.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

PopupWindow::PopupWindow(std::unique_ptr<QWebEnginePage> page, QWidget *panel)
    : QWidget(panel, Qt::Dialog | Qt::WindowStaysOnTopHint), m_page(std::move(page)), m_view(new QWebEngineView(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setPage(m_page.get());
    connect(m_page.get(), &QWebEnginePage::titleChanged, this, &QWidget::setWindowTitle);
    connect(m_page.get(), &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
}

PopupWindow::~PopupWindow()
{
    delete m_view;
}
