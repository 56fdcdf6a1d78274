#include "ai/PromptBar.h"

#include "state/AppState.h"
#include "web/HibernationEngine.h"

PromptBar::PromptBar(AppState &state, HibernationEngine &hibernation, Clock &clock, QObject *parent)
    : QObject(parent), m_state(state), m_hibernation(hibernation), m_sender(clock)
{
    connect(&state, &AppState::capturedContextChanged, this, [this] {
        // Each newly staged text starts collapsed.
        m_expanded = false;
        Q_EMIT changed();
    });
    connect(&state.tabs(), &TabListModel::changed, this, &PromptBar::changed);
    connect(&state.content(), &PanelContent::activeItemChanged, this, &PromptBar::changed);
}

const QList<PromptBar::Action> &PromptBar::actions()
{
    static const QList<Action> list{
        {QStringLiteral("Explain"), QStringLiteral("sparkles"), true,
         QStringLiteral("Explain the following context in detail:\n\n")},
        {QStringLiteral("Summarize"), QStringLiteral("text.alignleft"), false,
         QStringLiteral("Summarize the following context succinctly:\n\n")},
        {QStringLiteral("Fix / Debug"), QStringLiteral("wrench.fill"), false,
         QStringLiteral("Review, debug, and fix the following code snippet:\n\n")},
    };
    return list;
}

const std::optional<CapturedContext> &PromptBar::staged() const
{
    return m_state.capturedContext();
}

QString PromptBar::badge() const
{
    return staged() && staged()->isFromClipboard ? QStringLiteral("CLIPBOARD") : QStringLiteral("SELECTION");
}

QString PromptBar::previewText() const
{
    return staged() ? staged()->text.trimmed() : QString();
}

bool PromptBar::showsCharacterCount() const
{
    return staged() && staged()->text.size() > collapsedCharacterLimit;
}

QString PromptBar::characterCountText() const
{
    return QStringLiteral("%1 characters").arg(staged() ? staged()->text.size() : 0);
}

void PromptBar::toggleExpanded()
{
    m_expanded = !m_expanded;
    Q_EMIT changed();
}

QString PromptBar::expandTitle() const
{
    return m_expanded ? QStringLiteral("Show less") : QStringLiteral("Show more");
}

QString PromptBar::expandSymbol() const
{
    return m_expanded ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down");
}

QList<TabModel> PromptBar::aiTabs() const
{
    QList<TabModel> tabs;
    for (const TabModel &tab : m_state.tabs().tabs()) {
        if (tab.isAIProvider)
            tabs.append(tab);
    }
    return tabs;
}

QString PromptBar::routeTooltip(const TabModel &tab)
{
    return QStringLiteral("Route prompt to ") + tab.title;
}

bool PromptBar::isTarget(const TabModel &tab) const
{
    const std::optional<TabModel> active = m_state.tabs().activeTab();
    return active && active->id == tab.id;
}

void PromptBar::selectTarget(const QUuid &tabId)
{
    m_state.tabs().selectTab(tabId);
}

QString PromptBar::targetLabel() const
{
    const std::optional<TabModel> active = m_state.tabs().activeTab();
    return active ? QStringLiteral("➔ ") + active->title : QString();
}

void PromptBar::send(qsizetype actionIndex)
{
    const std::optional<TabModel> target = m_state.tabs().activeTab();
    if (!staged() || !target || actionIndex < 0 || actionIndex >= actions().size())
        return;
    const QUuid sentContext = staged()->id;
    m_hibernation.getOrCreateWebView(*target);
    const auto page = [this, tabId = target->id] { return m_hibernation.existingWebView(tabId); };
    m_sender.send(page, actions().at(actionIndex).promptTemplate + staged()->text, [this, sentContext](bool placed) {
        // A newer capture staged meanwhile is not the one that was sent.
        if (placed && staged() && staged()->id == sentContext)
            m_state.setCapturedContext(std::nullopt);
    });
}

void PromptBar::dismiss()
{
    m_state.setCapturedContext(std::nullopt);
}
