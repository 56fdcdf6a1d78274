#pragma once

#include "app/DesktopSession.h"
#include "app/SingleInstance.h"
#include "platform/Ports.h"

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <memory>

class AppState;
class CaptureAction;
class CurrencyEngine;
class DownloadReporter;
class DropShelfKeeper;
class DesktopNotifications;
class DesktopCapture;
class EdgeHoverDetector;
class GlobalHotkeyManager;
class HibernationEngine;
class MainContainerView;
class NotificationRelay;
class OrvanePanel;
class PanelVisibilityPolicy;
class PanelCommands;
class PanelWindow;
class QNetworkAccessManager;
class TerminationSignals;
class TimerHandle;
class TrayItem;
class UrlCommandHandler;
class WebDownloads;
class WebPageFactory;
class WhisperNotchWindows;
class WidgetPalette;
class X11EdgeStrips;
class X11GlobalKeyMonitor;
class GlobalHotKeys;
class X11LocalKeyMonitor;
class X11PointerMonitor;
class X11ScreenEnvironment;
class X11WindowHints;
class X11WindowManagerWatch;

// Starts the long-lived services in their fixed order once the event loop
// runs, and answers URLs and reopen requests from later starts. The one place
// that picks the desktop's implementations and wires the services together.
class AppDelegate final : public QObject
{
    Q_OBJECT

public:
    // `urls` are those this start was given; `instance` is already listening.
    // The exchange rates are refreshed from `exchangeRateService` once per
    // run, a few seconds after the start.
    AppDelegate(const Ports &ports, SingleInstance &instance, const QStringList &urls,
                const QUrl &exchangeRateService);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    // Another start without URLs: the user wants the panel.
    void applicationShouldHandleReopen();
    void openUrls(const QStringList &urls, const SingleInstance::Acknowledge &acknowledge);
    // The termination path, for "Quit Orvane", SIGTERM and SIGINT alike:
    // key grabs, monitors and edge windows released, settings written.
    void applicationWillTerminate();
    // Empty when every change so far is on disk; else what could not be saved.
    QString unsavedChanges() const;

    // What the launch made, for tests that drive a whole Orvane in their own process.
    AppState &state() const { return *m_state; }
    PanelWindow &window() const { return *m_window; }
    HibernationEngine &hibernation() const { return *m_hibernation; }

private:
    void createPanel();
    void startHibernation();
    void createInterface();
    void runLaunchCommands();
    // The orvane: URLs among what a start was given, in order.
    static QList<QUrl> orvaneUrls(const QStringList &texts);
    void startCurrencyRefresh();
    void setUpTrayItem();
    void startNotifications();
    void startEdgeDetection();
    void startHotKeys();

    Ports m_ports;
    SingleInstance &m_instance;
    QStringList m_launchUrls;
    QUrl m_exchangeRateService;
    std::unique_ptr<QNetworkAccessManager> m_network;
    DesktopSession m_desktop;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<WidgetPalette> m_widgetPalette;
    std::unique_ptr<DropShelfKeeper> m_shelfKeeper;
    std::unique_ptr<CurrencyEngine> m_currency;
    std::unique_ptr<TimerHandle> m_currencyRefresh;
    std::unique_ptr<X11ScreenEnvironment> m_screens;
    std::unique_ptr<X11WindowHints> m_windowHints;
    std::unique_ptr<X11WindowManagerWatch> m_windowManagerWatch;
    std::unique_ptr<X11PointerMonitor> m_pointerMonitor;
    std::unique_ptr<PanelWindow> m_window;
    std::unique_ptr<OrvanePanel> m_panel;
    std::unique_ptr<PanelVisibilityPolicy> m_visibility;
    std::unique_ptr<UrlCommandHandler> m_urlCommands;
    std::unique_ptr<WebPageFactory> m_webPages;
    std::unique_ptr<HibernationEngine> m_hibernation;
    std::unique_ptr<WebDownloads> m_downloads;
    std::unique_ptr<DownloadReporter> m_downloadReporter;
    std::unique_ptr<TerminationSignals> m_terminationSignals;
    std::unique_ptr<DesktopCapture> m_desktopCapture;
    std::unique_ptr<CaptureAction> m_capture;
    std::unique_ptr<PanelCommands> m_commands;
    std::unique_ptr<TrayItem> m_tray;
    std::unique_ptr<DesktopNotifications> m_desktopNotifications;
    std::unique_ptr<NotificationRelay> m_notifications;
    std::unique_ptr<X11EdgeStrips> m_edgeStrips;
    std::unique_ptr<EdgeHoverDetector> m_edges;
    std::unique_ptr<WhisperNotchWindows> m_notches;
    std::unique_ptr<GlobalHotKeys> m_desktopHotKeys;
    std::unique_ptr<X11LocalKeyMonitor> m_localKeys;
    std::unique_ptr<X11GlobalKeyMonitor> m_globalKeys;
    std::unique_ptr<GlobalHotkeyManager> m_hotKeys;
    // Owned by the window.
    MainContainerView *m_container = nullptr;
};
