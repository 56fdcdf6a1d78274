#pragma once

#include "platform/WebPage.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QWebEngineView;
class QWebEnginePage;
class TabPage;
class QWidget;

// A tab's page in Qt WebEngine and the view that shows it.
class QtWebPage final : public QObject, public WebPage
{
    Q_OBJECT

public:
    explicit QtWebPage(UserAgentMode mode);
    ~QtWebPage() override;

    QUrl url() const override;
    QString title() const override;
    UserAgentMode userAgentMode() const override { return m_mode; }
    void switchUserAgentMode(UserAgentMode mode, const QUrl &address) override;
    void load(const QUrl &address) override;
    void reload() override;
    bool isLoading() const override { return m_loading; }
    bool hadCertificateError() const override { return m_certificateError; }
    void runJavaScript(const QString &script, std::function<void(const QVariant &)> callback) override;
    void setObservers(Observers observers) override;
    void retire() override;
    bool holdsPanel() const override;
    void exitFullScreen() override;
    void setZoomPercent(int percent) override;
    void find(const QString &text, bool backward, std::function<void(FindResult)> found) override;
    void trigger(MenuCommand command) override;
    void download(const QUrl &address) override;
    void openInDesktopBrowser(const QUrl &address) override;

    QWidget *view() const override;
    QWebEnginePage *page() const;
    // The renderer process serving the page; 0 when none runs.
    qint64 rendererProcessId() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void usePage(UserAgentMode mode);
    void setCertificateError(bool met);
    void askForMenu(const QPoint &position);

    UserAgentMode m_mode;
    std::unique_ptr<TabPage> m_page;
    std::unique_ptr<QWebEngineView> m_view;
    Observers m_observers;
    QTimer m_loadTimeout;
    bool m_loading = false;
    bool m_certificateError = false;
    int m_zoomPercent = 100;
};

// Makes QtWebPages for the hibernation engine.
class QtWebPageFactory final : public WebPageFactory
{
public:
    std::unique_ptr<WebPage> create(UserAgentMode mode) override;
};
