#include "platform/qt/TabPage.h"

#include "platform/WebLinkPolicy.h"
#include "platform/qt/DesktopPortal.h"
#include "platform/qt/PageDialog.h"
#include "platform/qt/PopupWindow.h"

#include <QAuthenticator>
#include <QMetaMethod>
#include <QScreen>
#include <QWebEngineSettings>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace {

WebLinkPolicy::Destination destinationOf(QWebEngineNewWindowRequest::DestinationType type)
{
    switch (type) {
    case QWebEngineNewWindowRequest::InNewDialog: return WebLinkPolicy::Destination::Dialog;
    case QWebEngineNewWindowRequest::InNewWindow: return WebLinkPolicy::Destination::Window;
    case QWebEngineNewWindowRequest::InNewBackgroundTab: return WebLinkPolicy::Destination::BackgroundTab;
    case QWebEngineNewWindowRequest::InNewTab: break;
    }
    return WebLinkPolicy::Destination::Tab;
}

// Shift with a right click always gives Orvane's menu, even on pages that
// draw their own: the page never hears of that click, so it cannot prevent
// the engine's request. Run before any script of the page's, in a world of
// its own, the listener comes first and the page cannot take it away.
QWebEngineScript shiftGivesOurMenu()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("orvane-shift-menu"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QStringLiteral(
        "window.addEventListener('contextmenu', function (event) {"
        " if (event.shiftKey) event.stopImmediatePropagation(); }, true);"));
    return script;
}

} // namespace

TabPage::TabPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
{
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, QWebEnginePage::Feature feature) {
                if (isSignalConnected(QMetaMethod::fromSignal(&TabPage::permissionAsked)))
                    Q_EMIT permissionAsked(origin, feature);
                else
                    setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
            });
    settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    connect(this, &QWebEnginePage::newWindowRequested, this, &TabPage::openNewWindow);
    connect(this, &QWebEnginePage::authenticationRequired, this, &TabPage::askForCredentials);
    scripts().insert(shiftGivesOurMenu());
}

QWidget *TabPage::view() const
{
    return QWebEngineView::forPage(this);
}

void TabPage::openNewWindow(QWebEngineNewWindowRequest &request)
{
    const QUrl url = request.requestedUrl();
    switch (WebLinkPolicy::forNewWindow(destinationOf(request.destination()), request.isUserInitiated(), url)) {
    case WebLinkPolicy::NewWindow::OwnPopup: openPopup(request); break;
    case WebLinkPolicy::NewWindow::DesktopBrowser: DesktopPortal::openUrl(url, view()); break;
    case WebLinkPolicy::NewWindow::Refused: break;
    }
}

void TabPage::openPopup(QWebEngineNewWindowRequest &request)
{
    QWidget *opener = view() ? view()->window() : nullptr;
    // The same profile as the opener's, or a sign-in made there never reaches the tab.
    auto page = std::make_unique<TabPage>(profile());
    TabPage *popupPage = page.get();
    connect(popupPage, &TabPage::handOverAsked, this, &TabPage::handOverAsked);
    auto *window = new PopupWindow(std::move(page), opener);
    const QScreen *screen = opener ? opener->screen() : nullptr;
    if (screen)
        window->setGeometry(WebLinkPolicy::popupFrame(request.requestedGeometry(), screen->availableGeometry()));
    connect(window, &QObject::destroyed, this, [this] { windowUp(-1); });
    // A pop-up outlives neither its opener nor its tab.
    connect(this, &QObject::destroyed, window, &QObject::deleteLater);
    windowUp(+1);
    request.openIn(popupPage);
    window->show();
}

void TabPage::windowUp(int change)
{
    const bool held = holdsPanel();
    m_windowsUp += change;
    if (held != holdsPanel())
        Q_EMIT holdsPanelChanged();
}

bool TabPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    switch (WebLinkPolicy::forNavigation(url, type == NavigationTypeLinkClicked)) {
    case WebLinkPolicy::Navigation::Load: return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    case WebLinkPolicy::Navigation::AskFirst: Q_EMIT handOverAsked(url); return false;
    case WebLinkPolicy::Navigation::Refused: return false;
    }
    return false;
}

void TabPage::javaScriptAlert(const QUrl &, const QString &message)
{
    PageDialog::ask(view(), message, {}, false);
}

bool TabPage::javaScriptConfirm(const QUrl &, const QString &message)
{
    return PageDialog::ask(view(), message, {}, true).accepted;
}

bool TabPage::javaScriptPrompt(const QUrl &, const QString &message, const QString &defaultValue, QString *result)
{
    const PageDialog::Answer answer = PageDialog::ask(view(), message, {{QString(), defaultValue}}, true);
    if (answer.accepted && result)
        *result = answer.texts.value(0);
    return answer.accepted;
}

void TabPage::askForCredentials(const QUrl &address, QAuthenticator *authenticator)
{
    const QString message = tr("%1 asks you to sign in (%2)").arg(address.host(), authenticator->realm());
    const PageDialog::Answer answer =
        PageDialog::ask(view(), message, {{tr("User name"), QString()}, {tr("Password"), QString(), true}}, true);
    if (!answer.accepted) {
        // An authenticator left empty is the engine's sign for "cancelled".
        *authenticator = QAuthenticator();
        return;
    }
    authenticator->setUser(answer.texts.value(0));
    authenticator->setPassword(answer.texts.value(1));
}

QStringList TabPage::chooseFiles(FileSelectionMode mode, const QStringList &oldFiles, const QStringList &acceptedMimeTypes)
{
    windowUp(+1);
    std::optional<QStringList> chosen;
    if (mode != FileSelectSave) {
        const DesktopPortal::FileRequest request{tr("Choose files for %1").arg(url().host()), mode == FileSelectOpenMultiple,
                                                 mode == FileSelectUploadFolder,
                                                 AcceptedFileTypes::patternsFor(acceptedMimeTypes)};
        chosen = DesktopPortal::chooseFiles(view(), request);
    }
    if (!chosen)
        chosen = QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
    windowUp(-1);
    // The keyboard goes back to the page the chooser was for.
    if (QWidget *shown = view()) {
        shown->window()->activateWindow();
        shown->setFocus();
    }
    return *chosen;
}
