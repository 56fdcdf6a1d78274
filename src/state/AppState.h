#pragma once

#include "ai/CapturedContext.h"
#include "shelf/DropShelfModel.h"
#include "state/PanelContent.h"
#include "state/PanelNotice.h"
#include "state/SettingsModel.h"
#include "state/TabDragHover.h"
#include "web/SitePermissions.h"
#include "web/TabListModel.h"

#include <QObject>

#include <memory>

struct Ports;
class Clock;
class ProcessMemory;
class TimerHandle;

// The one observable state of the application. It owns the models that views
// observe — the settings, what the panel shows, the tabs and the shelf — and
// keeps the few flags that belong to no model: whether the panel is visible,
// the captured selection for the prompt bar and the live memory figure.
class AppState final : public QObject
{
    Q_OBJECT

public:
    // Loads the settings, the tab list and the sites' answers from the store; writes nothing.
    explicit AppState(const Ports &ports, QObject *parent = nullptr);
    ~AppState() override;

    bool isInitializing() const { return m_isInitializing; }
    // Time for the stamps of what the panel records.
    Clock &clock() const { return m_clock; }

    SettingsModel &settings() { return m_settings; }
    const SettingsModel &settings() const { return m_settings; }
    PanelContent &content() { return m_content; }
    const PanelContent &content() const { return m_content; }
    TabListModel &tabs() { return m_tabs; }
    const TabListModel &tabs() const { return m_tabs; }
    PanelNotice &notice() { return m_notice; }
    const PanelNotice &notice() const { return m_notice; }
    DropShelfModel &shelf() { return m_shelf; }
    const DropShelfModel &shelf() const { return m_shelf; }
    TabDragHover &tabDragHover() { return m_tabDragHover; }
    SitePermissions &sitePermissions() { return m_sitePermissions; }
    const SitePermissions &sitePermissions() const { return m_sitePermissions; }

    bool isPanelVisible() const { return m_isPanelVisible; }
    void setIsPanelVisible(bool value);
    // A web page has a window of its own up (a pop-up, a file chooser): the
    // panel does not hide by itself meanwhile.
    bool isPanelHeld() const { return m_isPanelHeld; }
    void setPanelHeld(bool held) { m_isPanelHeld = held; }

    const std::optional<CapturedContext> &capturedContext() const { return m_capturedContext; }
    void setCapturedContext(const std::optional<CapturedContext> &context);
    const std::optional<QString> &stagedPromptAction() const { return m_stagedPromptAction; }
    // Keeps an active AI tab, or makes the first one active. With none, the
    // panel says how to get one. Returns whether there is an AI tab.
    bool showAITab();
    // Stages the context and makes an AI tab (or, with none, the first tab)
    // active with the panel visible.
    void triggerContextAI(const CapturedContext &context, const std::optional<QString> &action);

    // Orvane's memory with its web pages' processes, in MiB; sampled every
    // two seconds, each sample arriving a little later.
    int liveMemoryMB() const { return m_liveMemoryMB; }

Q_SIGNALS:
    void isPanelVisibleChanged();
    void capturedContextChanged();
    void stagedPromptActionChanged();
    void liveMemoryMBChanged();

private:
    void updateLiveMemory();

    Clock &m_clock;
    ProcessMemory &m_memory;

    bool m_isInitializing = true;
    // Before the models whose destructive operations offer to undo.
    PanelNotice m_notice;
    SettingsModel m_settings;
    PanelContent m_content;
    TabListModel m_tabs;
    DropShelfModel m_shelf;
    TabDragHover m_tabDragHover;
    SitePermissions m_sitePermissions;
    bool m_isPanelVisible = false;
    bool m_isPanelHeld = false;
    std::optional<CapturedContext> m_capturedContext;
    std::optional<QString> m_stagedPromptAction;
    int m_liveMemoryMB = 34;
    std::unique_ptr<TimerHandle> m_memoryTimer;
};
