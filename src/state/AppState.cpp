#include "state/AppState.h"

#include "platform/Clock.h"
#include "platform/KeyValueStore.h"
#include "platform/Ports.h"
#include "platform/ProcessMemory.h"
#include "platform/SystemAppearance.h"
#include "state/SettingsStorage.h"
#include "web/TabListJson.h"
#include "web/TabList.h"

#include <QPointer>

namespace {
const QString tabsKey = QStringLiteral("Orvane_Tabs");
// Where an unreadable tab list goes before a save replaces it.
const QString unreadableTabsKey = QStringLiteral("Orvane_TabsUnreadable");
} // namespace

AppState::AppState(const Ports &ports, QObject *parent)
    : QObject(parent)
    , m_clock(ports.clock)
    , m_store(ports.store)
    , m_appearance(ports.appearance)
    , m_memory(ports.memory)
    , m_tabs(TabModel::defaultTabs(ports.clock.now()))
{
    m_activeItem = ActiveSidebarItem::webTab(m_tabs.constFirst().id);
    SettingsStorage::load(m_store, m_settings);
    loadSavedTabs();
    m_isInitializing = false;

    updateLiveMemory();
    m_memoryTimer = m_clock.repeating(2.0, [this] { updateLiveMemory(); });
    if (m_settings.followSystemTheme)
        applySystemTheme();
    QPointer<AppState> self(this);
    m_appearance.setChangeHandler([self] {
        if (self)
            self->applySystemTheme();
    });
}

AppState::~AppState()
{
    m_appearance.setChangeHandler({});
}

AppState &AppState::shared()
{
    // Lives for the whole process, like the services that hold on to it.
    static AppState *instance = new AppState(installedPorts());
    return *instance;
}

// --- Settings ---

template<typename T>
void AppState::assignSetting(T Settings::*member, const T &value)
{
    m_settings.*member = value;
    Q_EMIT settingsChanged();
    if (!m_isInitializing)
        saveSettings();
}

void AppState::postFollowUp(void (AppState::*signal)())
{
    if (m_isInitializing)
        return;
    QPointer<AppState> self(this);
    m_clock.post([self, signal] {
        if (self)
            Q_EMIT(self->*signal)();
    });
}

void AppState::setIsPinned(bool value) { assignSetting(&Settings::isPinned, value); }
void AppState::setPanelCustomHeight(std::optional<double> value) { assignSetting(&Settings::panelCustomHeight, value); }
void AppState::setPanelTopOffset(std::optional<double> value) { assignSetting(&Settings::panelTopOffset, value); }
void AppState::setAnimationDuration(double value) { assignSetting(&Settings::animationDuration, value); }
void AppState::setAnimationCurve(const QString &value) { assignSetting(&Settings::animationCurve, value); }
void AppState::setAutoHideOnMouseExit(bool value) { assignSetting(&Settings::autoHideOnMouseExit, value); }
void AppState::setAutoHideDelay(double value) { assignSetting(&Settings::autoHideDelay, value); }
void AppState::setEdgeHoverEnabled(bool value) { assignSetting(&Settings::edgeHoverEnabled, value); }
void AppState::setShowDeviceToggleInHeader(bool value) { assignSetting(&Settings::showDeviceToggleInHeader, value); }
void AppState::setEdgeRetouchToHide(bool value) { assignSetting(&Settings::edgeRetouchToHide, value); }
void AppState::setCurrentTheme(AppThemeMode value) { assignSetting(&Settings::currentTheme, value); }
void AppState::setRailSidePreference(RailSidePreference value) { assignSetting(&Settings::railSidePreference, value); }
void AppState::setShowMemoryInFooter(bool value) { assignSetting(&Settings::showMemoryInFooter, value); }

void AppState::setPanelWidth(double value)
{
    assignSetting(&Settings::panelWidth, value);
    postFollowUp(&AppState::panelWidthLayoutRequested);
}

void AppState::setScreenDockEdge(ScreenDockEdge value)
{
    assignSetting(&Settings::screenDockEdge, value);
    postFollowUp(&AppState::edgeWindowsRebuildRequested);
    postFollowUp(&AppState::panelPositionLayoutRequested);
}

void AppState::setShowEdgeIndicator(bool value)
{
    assignSetting(&Settings::showEdgeIndicator, value);
    postFollowUp(&AppState::edgeWindowsRebuildRequested);
}

void AppState::setFollowSystemTheme(bool value)
{
    assignSetting(&Settings::followSystemTheme, value);
    if (value && !m_isInitializing)
        applySystemTheme();
}

void AppState::saveSettings()
{
    SettingsStorage::save(m_settings, m_store);
}

void AppState::restoreDefaults()
{
    const Settings defaults;
    setFollowSystemTheme(false);
    setCurrentTheme(defaults.currentTheme);
    setPanelWidth(defaults.panelWidth);
    setScreenDockEdge(defaults.screenDockEdge);
    setRailSidePreference(defaults.railSidePreference);
    setAutoHideOnMouseExit(defaults.autoHideOnMouseExit);
    setAutoHideDelay(defaults.autoHideDelay);
    setAnimationDuration(defaults.animationDuration);
    setAnimationCurve(defaults.animationCurve);
    setIsPinned(defaults.isPinned);
    setPanelCustomHeight(defaults.panelCustomHeight);
    setPanelTopOffset(defaults.panelTopOffset);
    setShowMemoryInFooter(defaults.showMemoryInFooter);
    setShowDeviceToggleInHeader(defaults.showDeviceToggleInHeader);
    setShowEdgeIndicator(defaults.showEdgeIndicator);
    setEdgeRetouchToHide(defaults.edgeRetouchToHide);
    saveSettings();
    postFollowUp(&AppState::panelWidthLayoutRequested);
    postFollowUp(&AppState::panelPositionLayoutRequested);
}

PanelEdge AppState::effectiveRailSide() const
{
    switch (m_settings.railSidePreference) {
    case RailSidePreference::Right:
        return PanelEdge::Right;
    case RailSidePreference::Left:
        return PanelEdge::Left;
    case RailSidePreference::AutoMatch:
        break;
    }
    if (m_settings.currentTheme == AppThemeMode::Ember)
        return m_settings.screenDockEdge == ScreenDockEdge::Left ? PanelEdge::Left : PanelEdge::Right;
    return PanelEdge::Left;
}

bool AppState::isSystemInDarkMode() const
{
    return m_appearance.isDark();
}

void AppState::applySystemTheme()
{
    if (!m_settings.followSystemTheme)
        return;
    const AppThemeMode target = isSystemInDarkMode() ? AppThemeMode::Midnight : AppThemeMode::Paper;
    if (m_settings.currentTheme != target)
        setCurrentTheme(target);
}

int AppState::getProcessMemoryMB() const
{
    return memoryMegabytes(m_memory);
}

void AppState::updateLiveMemory()
{
    m_liveMemoryMB = getProcessMemoryMB();
    Q_EMIT liveMemoryMBChanged();
}

// --- Transient state ---

void AppState::setIsPanelVisible(bool value)
{
    m_isPanelVisible = value;
    Q_EMIT isPanelVisibleChanged();
}

void AppState::setShowSettingsModal(bool value)
{
    m_showSettingsModal = value;
    Q_EMIT showSettingsModalChanged();
}

void AppState::setShowCommandPalette(bool value)
{
    m_showCommandPalette = value;
    Q_EMIT showCommandPaletteChanged();
}

void AppState::setActiveItem(const ActiveSidebarItem &item)
{
    m_activeItem = item;
    Q_EMIT activeItemChanged();
}

void AppState::setCapturedContext(const std::optional<CapturedContext> &context)
{
    m_capturedContext = context;
    Q_EMIT capturedContextChanged();
}

// --- Tab list persistence ---

void AppState::setTabs(const QList<TabModel> &tabs)
{
    m_tabs = tabs;
    Q_EMIT tabsChanged();
}

void AppState::loadSavedTabs()
{
    const auto data = m_store.dataValue(tabsKey);
    if (!data)
        return;
    auto decoded = TabListJson::decode(*data, m_clock.now());
    if (!decoded) {
        m_unreadableTabs = *data;
        return;
    }
    if (decoded->isEmpty())
        return;
    const bool migrated = TabList::migrateIconKeys(*decoded);
    setTabs(*decoded);
    setActiveItem(ActiveSidebarItem::webTab(m_tabs.constFirst().id));
    if (migrated)
        saveTabs();
}

void AppState::saveTabs()
{
    // The user's old list may still be recoverable by hand; never lose it to
    // the first save after it failed to load.
    if (m_unreadableTabs) {
        m_store.setData(unreadableTabsKey, *m_unreadableTabs);
        m_unreadableTabs.reset();
    }
    m_store.setData(tabsKey, TabListJson::encode(m_tabs));
}
