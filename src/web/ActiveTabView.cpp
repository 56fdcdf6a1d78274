#include "web/ActiveTabView.h"

#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "web/WebContainerView.h"

#include <QLabel>
#include <QStackedLayout>

ActiveTabView::ActiveTabView(AppState &state, HibernationEngine &engine, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_stack(new QStackedLayout(this))
    , m_empty(new QLabel(QStringLiteral("No Tab Selected"), this))
    , m_container(new WebContainerView(engine, this))
{
    m_empty->setAlignment(Qt::AlignCenter);
    m_stack->addWidget(m_empty);
    m_stack->addWidget(m_container);
    connect(&m_state.content(), &PanelContent::activeItemChanged, this, &ActiveTabView::refresh);
    connect(&m_state.tabs(), &TabListModel::changed, this, &ActiveTabView::refresh);
    connect(&m_state.settings(), &SettingsModel::changed, this, &ActiveTabView::refresh);
    refresh();
}

void ActiveTabView::refresh()
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    m_empty->setStyleSheet(QStringLiteral("color: %1;").arg(palette.textSecondary.name(QColor::HexArgb)));
    const auto tab = m_state.tabs().activeTab();
    if (!tab) {
        m_stack->setCurrentWidget(m_empty);
        return;
    }
    m_container->showTab(*tab);
    m_stack->setCurrentWidget(m_container);
}
