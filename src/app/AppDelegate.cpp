#include "app/AppDelegate.h"

#include "app/SingleInstance.h"
#include "app/SystemLog.h"
#include "app/UrlCommandHandler.h"
#include "icons/AppIconProvider.h"
#include "math/CurrencyEngine.h"
#include "palette/CommandPalette.h"
#include "palette/CommandPaletteView.h"
#include "panel/OrvanePanel.h"
#include "panel/PanelVisibilityPolicy.h"
#include "panel/PanelWindow.h"
#include "platform/qt/QtWebPage.h"
#include "platform/x11/X11PointerMonitor.h"
#include "platform/x11/X11ScreenEnvironment.h"
#include "platform/x11/X11WindowHints.h"
#include "state/AppState.h"
#include "ui/AppGallery.h"
#include "ui/AppGalleryView.h"
#include "ui/MainContainerView.h"
#include "ui/OverlayHost.h"
#include "ui/SettingsScreen.h"
#include "ui/SettingsView.h"
#include "web/HibernationEngine.h"

#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QNetworkAccessManager>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

AppDelegate::AppDelegate(const Ports &ports, SingleInstance &instance, const QStringList &urls,
                         const QUrl &exchangeRateService)
    : m_ports(ports), m_instance(instance), m_launchUrls(urls), m_exchangeRateService(exchangeRateService)
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
    m_network = std::make_unique<QNetworkAccessManager>();
    m_state = std::make_unique<AppState>(m_ports);
    createPanel();
    // Next, in this order: the tray item and its menu, the edge strips (with
    // screen-change handling) and the hot keys.
    startHibernation();
    startCurrencyRefresh();
    createInterface();

    QTimer::singleShot(0, this, [this] {
        m_panel->showPanel(true);
        SystemLog::write(QStringLiteral("[Orvane] Panel displayed successfully."));
        openUrls(m_launchUrls);
    });
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
}

void AppDelegate::startHibernation()
{
    m_webPages = std::make_unique<QtWebPageFactory>();
    m_hibernation = std::make_unique<HibernationEngine>(*m_state, m_ports.clock, *m_webPages);
}

// The panel's content. Each screen is made here and put into its slot of the
// main container; the container owns what it is given.
void AppDelegate::createInterface()
{
    m_container = new MainContainerView(*m_state, *m_hibernation, *m_panel, *m_network);
    m_window->setContent(m_container);

    const SettingsScreen::System system{QCoreApplication::applicationFilePath(),
                                        QGuiApplication::clipboard()->supportsSelection()};
    m_container->setScreen(ContentLayout::Screen::Settings,
                           new SettingsView(std::make_unique<SettingsScreen>(*m_state, *m_hibernation, system), *m_state));

    const CommandPalette::Effects effects{[](const QString &text) { QGuiApplication::clipboard()->setText(text); },
                                          [this] { captureSelection(); }};
    auto palette = std::make_unique<CommandPalette>(*m_state, *m_hibernation, *m_currency, effects);
    m_container->commandPalette().setCard(new CommandPaletteView(std::move(palette), m_state->settings(), *m_network));

    auto *gallery = new AppGalleryView(std::make_unique<AppGallery>(m_state->tabs()), m_state->settings(), *m_network);
    connect(gallery, &AppGalleryView::closeRequested, m_container, [this] { m_container->gallery().setOpen(false); });
    m_container->gallery().setCard(gallery);
}

// Until the selection of other applications can be captured: the first AI
// tab, on a panel that slides in.
void AppDelegate::captureSelection()
{
    const QList<TabModel> &tabs = m_state->tabs().tabs();
    const auto ai = std::find_if(tabs.cbegin(), tabs.cend(), [](const TabModel &tab) { return tab.isAIProvider; });
    if (ai != tabs.cend())
        m_state->tabs().selectTab(ai->id);
    m_panel->showPanel(true);
}

// The run's one refresh of the exchange rates; they apply from the next run.
// A reply that arrives while Orvane quits finds the engine gone: the
// connection dies with it and nothing is stored.
void AppDelegate::startCurrencyRefresh()
{
    m_currency = std::make_unique<CurrencyEngine>(m_ports.store);
    m_currency->refreshRatesAsync(m_exchangeRateService, *m_network);
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
