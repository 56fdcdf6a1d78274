#include "platform/qt/QtWebPage.h"

#include "platform/qt/DesktopPortal.h"
#include "platform/qt/TabPage.h"
#include "platform/qt/WebProfiles.h"

#include "platform/WebLinkPolicy.h"

#include <QChildEvent>
#include <QPointer>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWheelEvent>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineSettings>

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

constexpr int loadTimeoutMs = 60000;

WebPage::Feature featureOf(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::Notifications: return WebPage::Feature::Notifications;
    case QWebEnginePage::MediaAudioCapture: return WebPage::Feature::Microphone;
    case QWebEnginePage::MediaVideoCapture:
    case QWebEnginePage::MediaAudioVideoCapture: return WebPage::Feature::Camera;
    case QWebEnginePage::Geolocation: return WebPage::Feature::Location;
    case QWebEnginePage::DesktopVideoCapture:
    case QWebEnginePage::DesktopAudioVideoCapture: return WebPage::Feature::ScreenCapture;
    case QWebEnginePage::MouseLock: break;
    }
    return WebPage::Feature::Other;
}

} // namespace

QtWebPage::QtWebPage(UserAgentMode mode) : m_mode(mode), m_view(std::make_unique<QWebEngineView>())
{
    m_loadTimeout.setSingleShot(true);
    m_loadTimeout.setInterval(loadTimeoutMs);
    connect(&m_loadTimeout, &QTimer::timeout, this, [this] { page()->triggerAction(QWebEnginePage::Stop); });
    // The engine zooms by itself on Ctrl+wheel, past the tab's record: the
    // wheel is taken at the widget that draws the page, which the view makes
    // as its child when it gets a page.
    m_view->installEventFilter(this);
    // The engine's own menu would offer what makes no sense in the panel
    // (view source, save page) and nothing of Orvane's.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view.get(), &QWidget::customContextMenuRequested, this, &QtWebPage::askForMenu);
    usePage(mode);
}

// The view goes first (members are destroyed in reverse order): it does not
// own the page it shows, and the renderer process goes with the last page.
QtWebPage::~QtWebPage() = default;

QWidget *QtWebPage::view() const
{
    return m_view.get();
}

void QtWebPage::exitFullScreen()
{
    m_page->triggerAction(QWebEnginePage::ExitFullScreen);
}

bool QtWebPage::holdsPanel() const
{
    return m_page->holdsPanel();
}

QWebEnginePage *QtWebPage::page() const
{
    return m_page.get();
}

qint64 QtWebPage::rendererProcessId() const
{
    return page()->renderProcessPid();
}

void QtWebPage::usePage(UserAgentMode mode)
{
    m_mode = mode;
    const std::unique_ptr<TabPage> old = std::move(m_page);
    m_page = std::make_unique<TabPage>(WebProfiles::profile(mode));
    TabPage *fresh = m_page.get();
    connect(fresh, &TabPage::holdsPanelChanged, this, [this] {
        if (m_observers.holdsPanelChanged)
            m_observers.holdsPanelChanged();
    });
    connect(fresh, &TabPage::handOverAsked, this, [this](const QUrl &url) {
        if (m_observers.handOverAsked)
            m_observers.handOverAsked(url, [self = QPointer<QtWebPage>(this), url] {
                DesktopPortal::openUrl(url, self ? self->view() : nullptr);
            });
    });
    connect(fresh, &TabPage::permissionAsked, this, [this, fresh](const QUrl &origin, QWebEnginePage::Feature feature) {
        const auto answer = [page = QPointer<TabPage>(fresh), origin, feature](bool granted) {
            if (page)
                page->setFeaturePermission(origin, feature,
                                           granted ? QWebEnginePage::PermissionGrantedByUser
                                                   : QWebEnginePage::PermissionDeniedByUser);
        };
        if (m_observers.permissionAsked)
            m_observers.permissionAsked(origin, featureOf(feature), answer);
        else
            answer(false);
    });
    // The page fills its view, which stays in the panel.
    connect(fresh, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest request) {
        request.accept();
        if (m_observers.fullScreenChanged)
            m_observers.fullScreenChanged(request.toggleOn());
    });
    connect(fresh, &QWebEnginePage::urlChanged, this, [this] {
        if (m_observers.urlChanged)
            m_observers.urlChanged();
        if (m_observers.securityChanged)
            m_observers.securityChanged();
    });
    connect(fresh, &QWebEnginePage::titleChanged, this, [this] {
        if (m_observers.titleChanged)
            m_observers.titleChanged();
    });
    // Also loads the page starts by itself (links, scripts).
    connect(fresh, &QWebEnginePage::loadStarted, this, [this] {
        m_loading = true;
        setCertificateError(false);
    });
    // Left unanswered, the error refuses the certificate and the engine shows
    // its error page under the page's address.
    connect(fresh, &QWebEnginePage::certificateError, this, [this] { setCertificateError(true); });
    connect(fresh, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        m_loading = false;
        m_loadTimeout.stop();
        if (ok && m_observers.loadFinished)
            m_observers.loadFinished();
    });
    m_view->setPage(fresh);
    fresh->setZoomFactor(m_zoomPercent / 100.0);
}

void QtWebPage::setZoomPercent(int percent)
{
    if (percent == m_zoomPercent)
        return;
    m_zoomPercent = percent;
    page()->setZoomFactor(percent / 100.0);
}

void QtWebPage::find(const QString &text, bool backward, std::function<void(FindResult)> found)
{
    const QWebEnginePage::FindFlags flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    page()->findText(text, flags, [found = std::move(found)](const QWebEngineFindTextResult &result) {
        found({result.activeMatch(), result.numberOfMatches()});
    });
}

void QtWebPage::askForMenu(const QPoint &position)
{
    const QWebEngineContextMenuRequest *asked = m_view->lastContextMenuRequest();
    if (!asked || !m_observers.menuAsked)
        return;
    MenuRequest request;
    request.linkUrl = asked->linkUrl();
    if (asked->mediaType() == QWebEngineContextMenuRequest::MediaTypeImage)
        request.imageUrl = asked->mediaUrl();
    request.selectedText = asked->selectedText();
    request.editable = asked->isContentEditable();
    request.canPaste = asked->editFlags().testFlag(QWebEngineContextMenuRequest::CanPaste);
    request.canGoBack = page()->history()->canGoBack();
    request.canGoForward = page()->history()->canGoForward();
    m_observers.menuAsked(request, m_view->mapToGlobal(position));
}

void QtWebPage::trigger(MenuCommand command)
{
    switch (command) {
    case MenuCommand::Back: page()->triggerAction(QWebEnginePage::Back); break;
    case MenuCommand::Forward: page()->triggerAction(QWebEnginePage::Forward); break;
    case MenuCommand::Cut: page()->triggerAction(QWebEnginePage::Cut); break;
    case MenuCommand::Copy: page()->triggerAction(QWebEnginePage::Copy); break;
    case MenuCommand::Paste: page()->triggerAction(QWebEnginePage::Paste); break;
    case MenuCommand::CopyLinkAddress: page()->triggerAction(QWebEnginePage::CopyLinkToClipboard); break;
    case MenuCommand::CopyImage: page()->triggerAction(QWebEnginePage::CopyImageToClipboard); break;
    }
}

void QtWebPage::download(const QUrl &address)
{
    page()->download(address);
}

void QtWebPage::openInDesktopBrowser(const QUrl &address)
{
    if (WebLinkPolicy::mayReachDesktopBrowser(address))
        DesktopPortal::openUrl(address, view());
}

bool QtWebPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view.get() && event->type() == QEvent::ChildAdded) {
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::Wheel)
        return false;
    const auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
        return false;
    if (m_observers.zoomAsked)
        m_observers.zoomAsked(wheel->angleDelta().y() > 0);
    return true;
}

void QtWebPage::setCertificateError(bool met)
{
    m_certificateError = met;
    if (m_observers.securityChanged)
        m_observers.securityChanged();
}

QUrl QtWebPage::url() const
{
    return page()->url();
}

QString QtWebPage::title() const
{
    // Until the page has a title of its own, the engine reports its address
    // (often without the scheme); that is no title.
    const QString title = page()->title();
    return !title.isEmpty() && page()->url().toString().endsWith(title) ? QString() : title;
}

void QtWebPage::switchUserAgentMode(UserAgentMode mode, const QUrl &address)
{
    usePage(mode);
    load(address);
}

void QtWebPage::load(const QUrl &address)
{
    // Loading from the request on: the engine reports the start only later.
    m_loading = true;
    m_loadTimeout.start();
    page()->load(address);
}

void QtWebPage::reload()
{
    m_loading = true;
    m_loadTimeout.start();
    page()->triggerAction(QWebEnginePage::Reload);
}

void QtWebPage::runJavaScript(const QString &script, std::function<void(const QVariant &)> callback)
{
    page()->runJavaScript(script, 0, [callback = std::move(callback)](const QVariant &result) { callback(result); });
}

void QtWebPage::setObservers(Observers observers)
{
    m_observers = std::move(observers);
}

void QtWebPage::retire()
{
    m_observers = {};
    m_loadTimeout.stop();
    page()->triggerAction(QWebEnginePage::Stop);
    page()->load(QUrl(QStringLiteral("about:blank")));
    m_view->hide();
    m_view->setParent(nullptr);
}

std::unique_ptr<WebPage> QtWebPageFactory::create(UserAgentMode mode)
{
    return std::make_unique<QtWebPage>(mode);
}
