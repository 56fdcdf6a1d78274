#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class HibernationEngine;
class OrvanePanel;
class PanelWindow;
class QtWebPageFactory;
class SingleInstance;
class UrlCommandHandler;
class X11PointerMonitor;
class X11ScreenEnvironment;

// Starts the long-lived services in their fixed order once the event loop
// runs, and answers URLs and reopen requests from later starts.
class AppDelegate final : public QObject
{
    Q_OBJECT

public:
    // `urls` are those this start was given; `instance` is already listening.
    AppDelegate(SingleInstance &instance, const QStringList &urls);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    // Another start without URLs: the user wants the panel.
    void applicationShouldHandleReopen();
    void openUrls(const QStringList &urls);

private:
    void createPanel();
    void startHibernation();

    SingleInstance &m_instance;
    QStringList m_launchUrls;
    std::unique_ptr<X11ScreenEnvironment> m_screens;
    std::unique_ptr<X11PointerMonitor> m_pointerMonitor;
    std::unique_ptr<PanelWindow> m_window;
    std::unique_ptr<OrvanePanel> m_panel;
    std::unique_ptr<UrlCommandHandler> m_urlCommands;
    std::unique_ptr<QtWebPageFactory> m_webPages;
    std::unique_ptr<HibernationEngine> m_hibernation;
};
