#pragma once

#include "ai/CapturedContext.h"
#include "shelf/DropItem.h"
#include "state/ActiveSidebarItem.h"
#include "state/Settings.h"
#include "web/TabModel.h"

#include <QObject>

#include <memory>

struct Ports;
class Clock;
class KeyValueStore;
class ProcessMemory;
class SystemAppearance;
class TimerHandle;

// The one observable state of the application: the settings, the tabs, the
// shelf, what the panel shows, and the transient flags. Every assignment
// emits the property's signal, also when the value does not change; assigning
// a setting writes all settings (except while the state is initialising).
class AppState final : public QObject
{
    Q_OBJECT

public:
    // Loads the settings and the tab list from `ports.store`.
    explicit AppState(const Ports &ports, QObject *parent = nullptr);
    ~AppState() override;

    // The process's instance, built on first use from the installed ports.
    static AppState &shared();

    bool isInitializing() const { return m_isInitializing; }

    // --- Settings ---
    const Settings &settings() const { return m_settings; }
    void setIsPinned(bool value);
    void setPanelWidth(double value);
    void setPanelCustomHeight(std::optional<double> value);
    void setPanelTopOffset(std::optional<double> value);
    void setAnimationDuration(double value);
    void setAnimationCurve(const QString &value);
    void setAutoHideOnMouseExit(bool value);
    void setAutoHideDelay(double value);
    void setEdgeHoverEnabled(bool value);
    void setShowDeviceToggleInHeader(bool value);
    void setShowEdgeIndicator(bool value);
    void setEdgeRetouchToHide(bool value);
    void setScreenDockEdge(ScreenDockEdge value);
    void setCurrentTheme(AppThemeMode value);
    void setFollowSystemTheme(bool value);
    void setRailSidePreference(RailSidePreference value);
    void setShowMemoryInFooter(bool value);

    // Writes all seventeen settings keys.
    void saveSettings();
    // Resets the settings the settings screen offers to reset; leaves
    // edge hovering, the tabs and the shelf alone, and turns following the
    // system appearance off.
    void restoreDefaults();

    // The side of the panel that holds the icon rail.
    PanelEdge effectiveRailSide() const;

    bool isSystemInDarkMode() const;
    // While following the system, Midnight when it is dark and Paper when not.
    void applySystemTheme();

    int getProcessMemoryMB() const;
    void updateLiveMemory();

    // --- Transient state ---
    bool isPanelVisible() const { return m_isPanelVisible; }
    void setIsPanelVisible(bool value);
    bool showSettingsModal() const { return m_showSettingsModal; }
    void setShowSettingsModal(bool value);
    bool showCommandPalette() const { return m_showCommandPalette; }
    void setShowCommandPalette(bool value);
    const ActiveSidebarItem &activeItem() const { return m_activeItem; }
    void setActiveItem(const ActiveSidebarItem &item);
    const std::optional<CapturedContext> &capturedContext() const { return m_capturedContext; }
    void setCapturedContext(const std::optional<CapturedContext> &context);
    const std::optional<QString> &stagedPromptAction() const { return m_stagedPromptAction; }
    int liveMemoryMB() const { return m_liveMemoryMB; }

    // --- Tabs ---
    const QList<TabModel> &tabs() const { return m_tabs; }
    // The tab of the active item; none for the scratchpad, the shelf or an unknown id.
    std::optional<TabModel> activeTab() const;
    // Makes the tab active even when no tab has the id; does not save.
    void selectTab(const QUuid &id);
    void addTab(const QString &title, const QUrl &url, const QString &iconName, bool isAI);
    void removeTab(const QUuid &id);
    void moveTabUp(const QUuid &id);
    void moveTabDown(const QUuid &id);
    void reorderTabs(const QUuid &from, const QUuid &to);
    void moveTabs(const QList<qsizetype> &indexes, qsizetype destination);
    void toggleUserAgent(const QUuid &id);
    // Marks the tab as sleeping; in memory only, like selecting.
    void setTabHibernated(const QUuid &id);
    void updateTabWebMetadata(const QUuid &tabId, const QUrl &currentURL, const QString &title,
                              const std::optional<QUrl> &extractedIconURL);

    // --- Drop shelf ---
    const QList<DropItem> &dropItems() const { return m_dropItems; }
    // Replaces the list as it is, without showing the shelf.
    void setDropItems(const QList<DropItem> &items);
    // Newest first; shows the shelf.
    void addDropItems(const QList<DropItem> &items);
    void removeDropItem(const QUuid &id);
    void clearDropShelf();

    // --- AI ---
    // Stages the context and makes an AI tab active with the panel visible.
    void triggerContextAI(const CapturedContext &context, const std::optional<QString> &action);

Q_SIGNALS:
    void settingsChanged();
    void isPanelVisibleChanged();
    void showSettingsModalChanged();
    void showCommandPaletteChanged();
    void activeItemChanged();
    void capturedContextChanged();
    void stagedPromptActionChanged();
    void liveMemoryMBChanged();
    void tabsChanged();
    void dropItemsChanged();

    // Window follow-ups of settings changes. Each is emitted on a later turn
    // of the main queue, after the change has been saved: the panel and the
    // edge strips connect here.
    void panelWidthLayoutRequested();
    void panelPositionLayoutRequested();
    void edgeWindowsRebuildRequested();

private:
    template<typename T>
    void assignSetting(T Settings::*member, const T &value);
    void postFollowUp(void (AppState::*signal)());
    void setTabs(const QList<TabModel> &tabs);
    void loadSavedTabs();
    void saveTabs();

    Clock &m_clock;
    KeyValueStore &m_store;
    SystemAppearance &m_appearance;
    ProcessMemory &m_memory;

    bool m_isInitializing = true;
    Settings m_settings;
    bool m_isPanelVisible = false;
    bool m_showSettingsModal = false;
    bool m_showCommandPalette = false;
    ActiveSidebarItem m_activeItem = ActiveSidebarItem::scratchpad();
    QList<TabModel> m_tabs;
    QList<DropItem> m_dropItems;
    std::optional<CapturedContext> m_capturedContext;
    std::optional<QString> m_stagedPromptAction;
    int m_liveMemoryMB = 34;
    std::unique_ptr<TimerHandle> m_memoryTimer;
    // A stored tab list that could not be read, kept until the first save
    // so that it can be set aside instead of being overwritten.
    std::optional<QByteArray> m_unreadableTabs;
};
