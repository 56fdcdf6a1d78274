#include "app/AppDelegate.h"

#include "ai/AIPromptBar.h"
#include "ai/PromptBar.h"
#include "app/DesktopCapture.h"
#include "app/DesktopSession.h"
#include "app/SingleInstance.h"
#include "app/SystemLog.h"
#include "app/TerminationSignals.h"
#include "app/UrlCommandHandler.h"
#include "gallery/AppGallery.h"
#include "gallery/AppGalleryView.h"
#include "icons/AppIconProvider.h"
#include "input/CaptureAction.h"
#include "input/GlobalHotkeyManager.h"
#include "input/PanelCommands.h"
#include "input/TrayItem.h"
#include "math/CurrencyEngine.h"
#include "palette/CommandPalette.h"
#include "palette/CommandPaletteView.h"
#include "panel/EdgeHoverDetector.h"
#include "panel/OrvanePanel.h"
#include "panel/PanelVisibilityPolicy.h"
#include "panel/PanelWindow.h"
#include "panel/WhisperNotchWindows.h"
#include "platform/Clock.h"
#include "platform/qt/DBusNotifications.h"
#include "platform/qt/PortalHotKeys.h"
#include "platform/qt/QtDownloads.h"
#include "platform/qt/QtWebPage.h"
#include "platform/qt/WebProfiles.h"
#include "platform/x11/X11Clients.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11EdgeStrips.h"
#include "platform/x11/X11GlobalKeyMonitor.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11LocalKeyMonitor.h"
#include "platform/x11/X11PointerMonitor.h"
#include "platform/x11/X11ScreenEnvironment.h"
#include "platform/x11/X11WindowHints.h"
#include "platform/x11/X11WindowManagerWatch.h"
#include "scratchpad/ScratchpadView.h"
#include "settings/SettingsScreen.h"
#include "settings/SettingsView.h"
#include "shelf/DropShelfKeeper.h"
#include "shelf/DropShelfView.h"
#include "state/AppState.h"
#include "ui/MainContainerView.h"
#include "ui/OverlayHost.h"
#include "ui/WidgetPalette.h"
#include "web/DownloadReporter.h"
#include "web/HibernationEngine.h"
#include "web/NotificationRelay.h"

#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QNetworkAccessManager>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace {
// Longer than a start takes to show its first page.
constexpr double currencyRefreshDelaySeconds = 3;
} // namespace

AppDelegate::AppDelegate(const Ports &ports, SingleInstance &instance, const QStringList &urls,
                         const QUrl &exchangeRateService)
    : m_ports(ports), m_instance(instance), m_launchUrls(urls), m_exchangeRateService(exchangeRateService)
{
    connect(&m_instance, &SingleInstance::urlsReceived, this,
            [this](const QStringList &received, const SingleInstance::Acknowledge &acknowledge) {
                if (received.isEmpty()) {
                    applicationShouldHandleReopen();
                    acknowledge(QString());
                } else {
                    openUrls(received, acknowledge);
                }
            });
}

AppDelegate::~AppDelegate()
{
    // Pages go before the window that shows one of them.
    m_hibernation.reset();
}

// The launch sequence. Its order matters: each step may rely on the ones
// before it, and the panel is shown only after all of them.
void AppDelegate::applicationDidFinishLaunching()
{
    SystemLog::write(QStringLiteral("[Orvane] Application did finish launching..."));
    m_desktop.wayland = DesktopSession::isWaylandSession(qEnvironmentVariable("XDG_SESSION_TYPE"),
                                                         qEnvironmentVariable("WAYLAND_DISPLAY"));
    if (X11Connection::connection())
        m_desktop.windowManager = X11Clients::windowManagerName(X11Connection::connection());
    // Looked for only where X11's own key grabs fall short, so an X11 start does not wait on the bus.
    m_desktop.shortcutsPortal = m_desktop.wayland && PortalHotKeys::isOffered();
    SystemLog::write(QStringLiteral("[Orvane] ") + m_desktop.description());
    const QImage icon = AppIconProvider::icon();
    if (!icon.isNull())
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    m_network = std::make_unique<QNetworkAccessManager>();
    m_state = std::make_unique<AppState>(m_ports);
    m_widgetPalette = std::make_unique<WidgetPalette>(m_state->settings());
    // The shelf is read before any command can stage onto it, and every change
    // is written at once, whether or not its screen is ever shown.
    m_shelfKeeper = std::make_unique<DropShelfKeeper>(m_state->shelf(), m_ports.clock);
    createPanel();
    startHibernation();
    runLaunchCommands();
    // In this order: the tray item and its menu, the edge strips (with
    // screen-change handling) and the hot keys. Their commands reach the web
    // pages (hibernate, reload), so they come after the page pool; nothing
    // reaches them before the event loop turns.
    setUpTrayItem();
    startNotifications();
    startEdgeDetection();
    startHotKeys();
    startCurrencyRefresh();
    createInterface();

    QTimer::singleShot(0, this, [this] {
        m_panel->showPanel(true);
        SystemLog::write(QStringLiteral("[Orvane] Panel displayed successfully."));
    });
}

// The commands this start was given run before the panel first shows, so
// that it comes up showing what they asked for (and "toggle" does not hide it
// again). The page that will be on screen starts loading now, while the rest
// of the launch builds the interface around it.
void AppDelegate::runLaunchCommands()
{
    // This start goes on running, so a refusal cannot be its exit status; it
    // is said on standard error as a later start would say it.
    for (const QUrl &url : orvaneUrls(m_launchUrls)) {
        if (const auto refusal = m_urlCommands->handleURLScheme(url))
            SystemLog::write(QStringLiteral("orvane: ") + *refusal);
    }
    if (const auto tab = m_state->tabs().activeTab(); tab && !tab->isHibernated)
        m_hibernation->getOrCreateWebView(*tab);
}

void AppDelegate::createPanel()
{
    AppState &state = *m_state;
    m_screens = std::make_unique<X11ScreenEnvironment>();
    m_windowHints = std::make_unique<X11WindowHints>();
    m_window = std::make_unique<PanelWindow>(state.settings(), *m_windowHints);
    m_panel = std::make_unique<OrvanePanel>(state, m_ports.clock, *m_screens, *m_window);
    m_visibility = std::make_unique<PanelVisibilityPolicy>(state, m_ports.clock, *m_screens, *m_panel);
    m_urlCommands = std::make_unique<UrlCommandHandler>(state, *m_panel, m_ports.clock);

    OrvanePanel *panel = m_panel.get();
    connect(m_window.get(), &PanelWindow::userMoved, panel, &OrvanePanel::windowDidMove);
    connect(m_window.get(), &PanelWindow::userResized, panel, &OrvanePanel::windowDidResize);
    connect(m_window.get(), &PanelWindow::userResizeEnded, panel, &OrvanePanel::windowDidEndLiveResize);

    PanelVisibilityPolicy *visibility = m_visibility.get();
    m_pointerMonitor = std::make_unique<X11PointerMonitor>();
    m_pointerMonitor->start({[visibility] { visibility->pointerMoved(); },
                             [visibility] { visibility->mouseButtonPressed(); }});
    connect(&state, &AppState::isPanelVisibleChanged, m_pointerMonitor.get(),
            [this, &state] { m_pointerMonitor->setTrackingMovement(state.isPanelVisible()); });
    m_windowManagerWatch = std::make_unique<X11WindowManagerWatch>([this] {
        m_window->remapForNewWindowManager();
        m_panel->updatePanelPosition();
        if (X11Connection::connection())
            m_desktop.windowManager = X11Clients::windowManagerName(X11Connection::connection());
        SystemLog::write(QStringLiteral("[Orvane] Window manager replaced. ") + m_desktop.description());
    });
    if (m_desktop.wayland) {
        // Clicks in Wayland windows reach no X client; the keyboard leaving all
        // of Orvane's windows is what such a click leaves behind.
        connect(qApp, &QGuiApplication::applicationStateChanged, visibility, [visibility](Qt::ApplicationState now) {
            if (now != Qt::ApplicationActive)
                visibility->keyboardLeftOrvane();
        });
    }
}

void AppDelegate::startHibernation()
{
    m_webPages = std::make_unique<QtWebPageFactory>();
    m_hibernation = std::make_unique<HibernationEngine>(*m_state, m_ports.clock, *m_webPages);
    m_downloads = std::make_unique<QtDownloads>(
        QList{WebProfiles::profile(UserAgentMode::Desktop), WebProfiles::profile(UserAgentMode::Mobile)});
    m_downloadReporter = std::make_unique<DownloadReporter>(*m_state, *m_downloads, m_ports.clock);
}

// The panel's content. Each screen is made here, or for the scratchpad, the
// shelf and the settings, how to make it when it first shows; it goes into its
// slot of the main container, which owns it.
void AppDelegate::createInterface()
{
    m_container = new MainContainerView(*m_state, *m_hibernation, *m_panel, *m_network);
    m_window->setContent(m_container);

    m_container->setScreen(ContentLayout::Screen::Settings, [this] {
        const SettingsScreen::System system{QCoreApplication::applicationFilePath(),
                                            m_desktopCapture->detector().hasAccessibilityPermission(),
                                            m_desktop.description(), m_desktop.globalKeysNote()};
        auto settingsScreen = std::make_unique<SettingsScreen>(*m_state, *m_hibernation, system);
        // The shortcuts list marks the global combinations another program owns.
        const auto showRefused = [screen = settingsScreen.get(), hotKeys = m_hotKeys.get()] {
            QStringList refused;
            for (const HotKey &key : hotKeys->refusedHotKeys())
                refused.append(key.text());
            screen->setRefusedHotKeys(refused);
        };
        showRefused();
        auto *view = new SettingsView(std::move(settingsScreen), *m_state);
        connect(m_hotKeys.get(), &GlobalHotkeyManager::registrationsChanged, view, showRefused);
        return view;
    });

    const CommandPalette::Effects effects{[](const QString &text) { QGuiApplication::clipboard()->setText(text); },
                                          [this] { m_capture->run(); }};
    auto palette = std::make_unique<CommandPalette>(*m_state, *m_hibernation, *m_currency, effects);
    m_container->commandPalette().setCard(new CommandPaletteView(std::move(palette), m_state->settings(), *m_network));

    auto promptBar = std::make_unique<PromptBar>(*m_state, *m_hibernation, m_ports.clock);
    m_container->setPromptBar(new AIPromptBar(std::move(promptBar), m_state->settings(), *m_network));

    auto *gallery = new AppGalleryView(std::make_unique<AppGallery>(m_state->tabs(), m_state->content()), m_state->settings(), *m_network);
    connect(gallery, &AppGalleryView::closeRequested, m_container, [this] { m_state->content().setShowAppGallery(false); });
    m_container->gallery().setCard(gallery);

    m_container->setScreen(ContentLayout::Screen::Scratchpad, [this] {
        return new ScratchpadView(*m_state, *m_panel, *m_currency, m_ports.store, m_ports.clock);
    });
    m_container->setScreen(ContentLayout::Screen::DropShelf,
                           [this] { return new DropShelfView(*m_state, *m_panel, m_ports.store, m_ports.clock); });
}

// The run's one refresh of the exchange rates; they apply from the next run,
// so it waits until the start and its first page are done instead of setting
// up the network (proxy look-up, TLS) on the main thread while they run.
// A reply that arrives while Orvane quits finds the engine gone: the
// connection dies with it and nothing is stored.
void AppDelegate::startCurrencyRefresh()
{
    m_currency = std::make_unique<CurrencyEngine>(m_ports.store);
    m_currencyRefresh = m_ports.clock.singleShot(currencyRefreshDelaySeconds, [this] {
        m_currency->refreshRatesAsync(m_exchangeRateService, *m_network);
    });
}

void AppDelegate::applicationShouldHandleReopen()
{
    if (m_panel)
        m_panel->showPanel(true);
}

QList<QUrl> AppDelegate::orvaneUrls(const QStringList &texts)
{
    QList<QUrl> urls;
    for (const QString &text : texts) {
        const QUrl url(text);
        if (url.scheme().compare(QLatin1String("orvane"), Qt::CaseInsensitive) == 0)
            urls.append(url);
    }
    return urls;
}

void AppDelegate::openUrls(const QStringList &urls, const SingleInstance::Acknowledge &acknowledge)
{
    // Each URL is its own task, in the order the URLs arrived; the answer
    // follows them and carries every refusal.
    auto refusals = std::make_shared<QStringList>();
    for (const QUrl &url : orvaneUrls(urls)) {
        QTimer::singleShot(0, this, [this, url, refusals] {
            if (const auto refusal = m_urlCommands->handleURLScheme(url))
                refusals->append(*refusal);
        });
    }
    QTimer::singleShot(0, this, [acknowledge, refusals] { acknowledge(refusals->join(QStringLiteral("; "))); });
}

// A click on a page's notification shows its tab, as the tray menu's commands do.
void AppDelegate::startNotifications()
{
    m_desktopNotifications = std::make_unique<DBusNotifications>();
    m_notifications = std::make_unique<NotificationRelay>(*m_state, *m_desktopNotifications);
    connect(m_notifications.get(), &NotificationRelay::tabAsked, m_commands.get(), &PanelCommands::openTab);
    WebProfiles::presentNotifications([relay = QPointer<NotificationRelay>(m_notifications.get())](WebNotification shown) {
        if (relay)
            relay->present(std::move(shown));
    });
}

void AppDelegate::setUpTrayItem()
{
    m_desktopCapture = std::make_unique<DesktopCapture>(m_ports.clock);
    m_capture = std::make_unique<CaptureAction>(*m_state, *m_panel, m_desktopCapture->detector());
    m_commands = std::make_unique<PanelCommands>(*m_state, *m_panel, *m_hibernation, *m_capture);
    m_tray = std::make_unique<TrayItem>(m_state->settings(), m_state->tabs(), *m_commands, *m_visibility);
    m_tray->setup();

    connect(m_commands.get(), &PanelCommands::quitRequested, qApp, &QCoreApplication::quit);
    m_terminationSignals = std::make_unique<TerminationSignals>();
    connect(m_terminationSignals.get(), &TerminationSignals::received, qApp, &QCoreApplication::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
}

void AppDelegate::startEdgeDetection()
{
    m_edgeStrips = std::make_unique<X11EdgeStrips>();
    m_edges = std::make_unique<EdgeHoverDetector>(*m_state, m_ports.clock, *m_screens, *m_panel, *m_visibility,
                                                  *m_edgeStrips);
    m_notches = std::make_unique<WhisperNotchWindows>(*m_state, *m_edges, *m_windowHints);
    m_edges->start();

    EdgeHoverDetector *edges = m_edges.get();
    const auto watch = [edges](QScreen *screen) {
        connect(screen, &QScreen::geometryChanged, edges, &EdgeHoverDetector::screenParametersChanged);
    };
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens)
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, edges, [edges, watch](QScreen *screen) {
        watch(screen);
        edges->screenParametersChanged();
    });
    connect(qApp, &QGuiApplication::screenRemoved, edges, &EdgeHoverDetector::screenParametersChanged);
    connect(qApp, &QGuiApplication::primaryScreenChanged, edges, &EdgeHoverDetector::screenParametersChanged);
}

void AppDelegate::startHotKeys()
{
    if (m_desktop.shortcutsPortal)
        m_desktopHotKeys = std::make_unique<PortalHotKeys>();
    else
        m_desktopHotKeys = std::make_unique<X11HotKeys>();
    m_localKeys = std::make_unique<X11LocalKeyMonitor>(*m_window);
    m_globalKeys = std::make_unique<X11GlobalKeyMonitor>();
    m_hotKeys = std::make_unique<GlobalHotkeyManager>(*m_commands, m_ports.clock, *m_desktopHotKeys, *m_localKeys,
                                                      *m_globalKeys);
    m_hotKeys->start();
}

QString AppDelegate::unsavedChanges() const
{
    if (m_shelfKeeper && !m_shelfKeeper->isSaved())
        return QStringLiteral("the drop shelf could not be saved to %1").arg(m_shelfKeeper->file().path());
    return {};
}

void AppDelegate::applicationWillTerminate()
{
    if (m_hotKeys)
        m_hotKeys->stop();
    if (m_edges)
        m_edges->stop();
    if (m_state)
        m_state->settings().saveSettings();
}
