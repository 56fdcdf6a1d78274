#include "app/AppDelegate.h"

#include "app/SingleInstance.h"
#include "app/SystemLog.h"
#include "app/UrlCommandHandler.h"
#include "icons/AppIconProvider.h"
#include "math/CurrencyEngine.h"
#include "panel/OrvanePanel.h"
#include "panel/PanelVisibilityPolicy.h"
#include "panel/PanelWindow.h"
#include "platform/qt/QtWebPage.h"
#include "platform/x11/X11PointerMonitor.h"
#include "platform/x11/X11ScreenEnvironment.h"
#include "platform/x11/X11WindowHints.h"
#include "scratchpad/ScratchpadView.h"
#include "shelf/DropShelfView.h"
#include "state/AppState.h"
#include "ui/MainContainerView.h"
#include "web/HibernationEngine.h"

#include <QApplication>
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
    m_container->setScreen(ContentLayout::Screen::Scratchpad,
                           new ScratchpadView(*m_state, *m_panel, *m_currency, m_ports.store, m_ports.clock));
    m_container->setScreen(ContentLayout::Screen::DropShelf,
                           new DropShelfView(*m_state, *m_panel, m_ports.store, m_ports.clock));
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
