#include "state/AppState.h"

#include "platform/Clock.h"
#include "platform/Ports.h"
#include "platform/ProcessMemory.h"

#include <QPointer>

#include <algorithm>

AppState::AppState(const Ports &ports, QObject *parent)
    : QObject(parent)
    , m_clock(ports.clock)
    , m_memory(ports.memory)
    , m_notice(ports.clock)
    , m_settings(ports.store, ports.clock, ports.appearance, m_notice)
    , m_content(ActiveSidebarItem::scratchpad())
    , m_tabs(ports.store, ports.clock, m_content, m_notice)
    , m_shelf(m_content, m_notice)
    , m_tabDragHover(m_tabs, ports.clock)
    , m_sitePermissions(ports.store)
{
    m_content.setActiveItem(ActiveSidebarItem::webTab(m_tabs.tabs().constFirst().id));
    m_tabs.load();
    m_sitePermissions.load();
    m_isInitializing = false;

    updateLiveMemory();
    m_memoryTimer = m_clock.repeating(2.0, [this] { updateLiveMemory(); });
    m_settings.startFollowingSystemAppearance();
}

// An offer still on show at quit becomes final while the models it refers to exist.
AppState::~AppState()
{
    m_notice.dismiss();
}

void AppState::setIsPanelVisible(bool value)
{
    m_isPanelVisible = value;
    Q_EMIT isPanelVisibleChanged();
}

void AppState::setCapturedContext(const std::optional<CapturedContext> &context)
{
    m_capturedContext = context;
    Q_EMIT capturedContextChanged();
}

void AppState::updateLiveMemory()
{
    QPointer<AppState> self(this);
    m_memory.read([self](const ProcessMemory::Reading &reading) {
        if (!self)
            return;
        self->m_liveMemoryMB = memoryMegabytes(reading);
        Q_EMIT self->liveMemoryMBChanged();
    });
}

void AppState::triggerContextAI(const CapturedContext &context, const std::optional<QString> &action)
{
    setCapturedContext(context);
    m_stagedPromptAction = action;
    Q_EMIT stagedPromptActionChanged();
    m_content.setShowSettingsModal(false);

    if (!showAITab() && !m_tabs.tabs().isEmpty())
        m_tabs.selectTab(m_tabs.tabs().constFirst().id);
    setIsPanelVisible(true);
}

bool AppState::showAITab()
{
    const auto active = m_tabs.activeTab();
    if (active && active->isAIProvider)
        return true;
    const QList<TabModel> &tabs = m_tabs.tabs();
    const auto ai = std::find_if(tabs.cbegin(), tabs.cend(), [](const TabModel &tab) { return tab.isAIProvider; });
    if (ai != tabs.cend()) {
        m_tabs.selectTab(ai->id);
        return true;
    }
    m_notice.show(QStringLiteral("No AI tab — add one from the gallery"), QStringLiteral("Open Gallery"),
                  [this] { m_content.setShowAppGallery(true, GalleryCategory::AIApps); });
    return false;
}
