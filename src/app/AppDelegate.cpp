#include "app/AppDelegate.h"

#include "app/SingleInstance.h"
#include "app/SystemLog.h"
#include "app/UrlCommandHandler.h"
#include "icons/AppIconProvider.h"
#include "panel/OrvanePanel.h"
#include "panel/PanelWindow.h"
#include "platform/Ports.h"
#include "platform/x11/X11PointerMonitor.h"
#include "platform/x11/X11ScreenEnvironment.h"
#include "state/AppState.h"
#include "web/ActiveTabView.h"
#include "web/HibernationEngine.h"
#include "web/QtWebPage.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

AppDelegate::AppDelegate(SingleInstance &instance, const QStringList &urls) : m_instance(instance), m_launchUrls(urls)
{
    connect(&m_instance, &SingleInstance::urlsReceived, this,
            [this](const QStringList &received, const SingleInstance::Acknowledge &acknowledge) {
                if (received.isEmpty())
                    applicationShouldHandleReopen();
                else
                    openUrls(received);
                // openUrls runs each URL as its own task; this one follows them.
                QTimer::singleShot(0, this, acknowledge);
            });
}

AppDelegate::~AppDelegate()
{
    OrvanePanel::setShared(nullptr);
    HibernationEngine::setShared(nullptr);
    // Pages go before the window that shows one of them.
    m_hibernation.reset();
}

// The launch sequence. Its order matters: each step may rely on the ones
// before it, and the panel is shown only after all of them.
void AppDelegate::applicationDidFinishLaunching()
{
    SystemLog::write(QStringLiteral("[Orvane] Application did finish launching..."));
    const QImage icon = AppIconProvider::icon();
    if (!icon.isNull())
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    createPanel();
    // Next, in this order: the tray item and its menu, the edge strips (with
    // screen-change handling) and the hot keys.
    startHibernation();

    QTimer::singleShot(0, this, [this] {
        m_panel->showPanel(true);
        SystemLog::write(QStringLiteral("[Orvane] Panel displayed successfully."));
        openUrls(m_launchUrls);
    });
}

void AppDelegate::createPanel()
{
    AppState &state = AppState::shared();
    Clock &clock = installedPorts().clock;
    m_screens = std::make_unique<X11ScreenEnvironment>();
    m_window = std::make_unique<PanelWindow>(state);
    m_panel = std::make_unique<OrvanePanel>(state, clock, *m_screens, *m_window);
    m_window->setPanel(m_panel.get());
    OrvanePanel::setShared(m_panel.get());
    m_urlCommands = std::make_unique<UrlCommandHandler>(state, *m_panel, clock);

    OrvanePanel *panel = m_panel.get();
    connect(&state, &AppState::panelWidthLayoutRequested, panel, &OrvanePanel::updatePanelWidth);
    connect(&state, &AppState::panelPositionLayoutRequested, panel, &OrvanePanel::updatePanelPosition);

    m_pointerMonitor = std::make_unique<X11PointerMonitor>();
    m_pointerMonitor->start({[panel] { panel->pointerMoved(); }, [panel] { panel->mouseButtonPressed(); }});
    connect(&state, &AppState::isPanelVisibleChanged, m_pointerMonitor.get(),
            [this, &state] { m_pointerMonitor->setTrackingMovement(state.isPanelVisible()); });
}

void AppDelegate::startHibernation()
{
    AppState &state = AppState::shared();
    m_webPages = std::make_unique<QtWebPageFactory>();
    m_hibernation = std::make_unique<HibernationEngine>(state, installedPorts().clock, *m_webPages);
    HibernationEngine::setShared(m_hibernation.get());
    m_window->setContent(new ActiveTabView(state, *m_hibernation));
}

void AppDelegate::applicationShouldHandleReopen()
{
    if (m_panel)
        m_panel->showPanel(true);
}

void AppDelegate::openUrls(const QStringList &urls)
{
    for (const QString &text : urls) {
        const QUrl url(text);
        if (url.scheme().compare(QLatin1String("orvane"), Qt::CaseInsensitive) != 0 || !m_urlCommands)
            continue;
        // Each URL is its own task, in the order the URLs arrived.
        QTimer::singleShot(0, this, [this, url] { m_urlCommands->handleURLScheme(url); });
    }
}
