#include "FakeWebPage.h"

FakeWebPage::~FakeWebPage()
{
    m_factory.alive.removeAll(this);
    m_factory.events.append(QStringLiteral("destroy"));
}

void FakeWebPage::switchUserAgentMode(UserAgentMode mode, const QUrl &address)
{
    m_mode = mode;
    ++switches;
    load(address);
}

void FakeWebPage::runJavaScript(const QString &script, std::function<void(const QVariant &)> callback)
{
    lastScript = script;
    scriptCallback = std::move(callback);
}

void FakeWebPage::retire()
{
    // The blank page's own address change must not reach anyone.
    observers = {};
    load(QUrl(QStringLiteral("about:blank")));
    m_factory.events.append(QStringLiteral("retire"));
}

void FakeWebPage::navigate(const QUrl &url, const QString &title)
{
    currentUrl = url;
    currentTitle = title;
    if (observers.urlChanged)
        observers.urlChanged();
    if (observers.securityChanged)
        observers.securityChanged();
    if (observers.titleChanged)
        observers.titleChanged();
}

void FakeWebPage::finishLoading()
{
    loading = false;
    if (observers.loadFinished)
        observers.loadFinished();
}

void FakeWebPage::meetCertificateError()
{
    certificateError = true;
    if (observers.securityChanged)
        observers.securityChanged();
}

std::unique_ptr<WebPage> FakeWebPageFactory::create(UserAgentMode mode)
{
    auto page = std::make_unique<FakeWebPage>(*this, mode);
    alive.append(page.get());
    return page;
}
