#pragma once

#include "platform/WebPage.h"

#include <QList>
#include <QStringList>

class FakeWebPageFactory;

// A page that only records what was asked of it; tests play the web engine's
// part by calling its observers.
class FakeWebPage final : public WebPage
{
public:
    FakeWebPage(FakeWebPageFactory &factory, UserAgentMode mode) : m_factory(factory), m_mode(mode) {}
    ~FakeWebPage() override;

    QUrl url() const override { return currentUrl; }
    QString title() const override { return currentTitle; }
    UserAgentMode userAgentMode() const override { return m_mode; }
    void switchUserAgentMode(UserAgentMode mode, const QUrl &address) override;
    void load(const QUrl &address) override { loads.append(address); }
    void reload() override { ++reloads; }
    bool isLoading() const override { return loading; }
    bool hadCertificateError() const override { return certificateError; }
    void runJavaScript(const QString &script, std::function<void(const QVariant &)> callback) override;
    void setObservers(Observers observers) override { this->observers = std::move(observers); }
    QWidget *view() const override { return nullptr; }
    void retire() override;
    bool holdsPanel() const override { return holding; }
    void exitFullScreen() override {}
    void setZoomPercent(int percent) override { zoomPercent = percent; }
    void find(const QString &, bool, std::function<void(FindResult)>) override {}
    void trigger(MenuCommand) override {}
    void download(const QUrl &address) override { downloads.append(address); }
    void openInDesktopBrowser(const QUrl &) override {}

    // What the web engine would do when the page navigates.
    void navigate(const QUrl &url, const QString &title);
    void finishLoading();
    void meetCertificateError();

    QUrl currentUrl;
    QString currentTitle;
    QList<QUrl> loads;
    int reloads = 0;
    bool loading = false;
    bool certificateError = false;
    bool holding = false;
    int zoomPercent = 100;
    QList<QUrl> downloads;
    int switches = 0;
    Observers observers;
    QString lastScript;
    std::function<void(const QVariant &)> scriptCallback;

private:
    FakeWebPageFactory &m_factory;
    UserAgentMode m_mode;
};

class FakeWebPageFactory final : public WebPageFactory
{
public:
    std::unique_ptr<WebPage> create(UserAgentMode mode) override;

    QList<FakeWebPage *> alive;
    // In order: "retire" when a page is retired (observers gone, blank page
    // loaded), then "destroy" when it is dropped.
    QStringList events;
};
