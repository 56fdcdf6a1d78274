#pragma once

#include <QWidget>

#include <memory>

class QWebEnginePage;
class QWebEngineView;

// A page's pop-up (a sign-in, a payment) in a small window of Orvane's own
// above the panel. It goes when the page closes it or the user does; the
// window owns the page.
class PopupWindow final : public QWidget
{
    Q_OBJECT

public:
    PopupWindow(std::unique_ptr<QWebEnginePage> page, QWidget *panel);
    ~PopupWindow() override;

    QWebEnginePage *page() const { return m_page.get(); }

private:
    std::unique_ptr<QWebEnginePage> m_page;
    // Destroyed before the page it shows.
    QWebEngineView *m_view;
};
