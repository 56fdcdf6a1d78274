#include "ui/PageAreaView.h"

#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/PillButton.h"
#include "ui/SymbolLabel.h"
#include "web/WebContainerView.h"

#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

PageAreaView::PageAreaView(AppState &state, HibernationEngine &engine, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_stack(new QStackedLayout(this))
    , m_noTab(new QLabel(QStringLiteral("No Tab Selected"), this))
    , m_sleeping(new QWidget(this))
    , m_sleepingSymbol(new SymbolLabel(QStringLiteral("snowflake"), 34, m_sleeping))
    , m_sleepingTitle(new QLabel(QStringLiteral("This tab is asleep"), m_sleeping))
    , m_sleepingDetail(new QLabel(QStringLiteral("Its page was closed to give its memory back. Wake it to load it again."),
                                  m_sleeping))
    , m_wake(new PillButton(state.settings(), QStringLiteral("Wake Tab"), PillButton::Style::Accent, m_sleeping))
    , m_container(new WebContainerView(state, engine, this))
{
    m_noTab->setAlignment(Qt::AlignCenter);
    m_sleepingDetail->setWordWrap(true);
    m_sleepingDetail->setAlignment(Qt::AlignCenter);
    m_sleepingTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_sleepingTitle->font();
    titleFont.setPixelSize(15);
    titleFont.setWeight(QFont::DemiBold);
    m_sleepingTitle->setFont(titleFont);
    auto *sleepingLayout = new QVBoxLayout(m_sleeping);
    sleepingLayout->setContentsMargins(32, 0, 32, 0);
    sleepingLayout->addStretch(1);
    sleepingLayout->addWidget(m_sleepingSymbol, 0, Qt::AlignHCenter);
    sleepingLayout->addSpacing(10);
    sleepingLayout->addWidget(m_sleepingTitle);
    sleepingLayout->addWidget(m_sleepingDetail);
    sleepingLayout->addSpacing(10);
    sleepingLayout->addWidget(m_wake, 0, Qt::AlignHCenter);
    sleepingLayout->addStretch(1);

    m_stack->addWidget(m_noTab);
    m_stack->addWidget(m_sleeping);
    m_stack->addWidget(m_container);
    connect(m_wake, &QAbstractButton::clicked, this, [this] {
        if (const auto tab = m_state.tabs().activeTab())
            m_state.tabs().setTabHibernated(tab->id, false);
    });
    connect(&m_state.content(), &PanelContent::activeItemChanged, this, &PageAreaView::refresh);
    connect(&m_state.tabs(), &TabListModel::changed, this, &PageAreaView::refresh);
    connect(&m_state.settings(), &SettingsModel::changed, this, &PageAreaView::refresh);
    refresh();
}

PageAreaView::Showing PageAreaView::showing() const
{
    if (m_stack->currentWidget() == m_container)
        return Showing::Page;
    return m_stack->currentWidget() == m_sleeping ? Showing::Sleeping : Showing::NoTab;
}

void PageAreaView::refresh()
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    const QString secondary = QStringLiteral("color: %1;").arg(palette.textSecondary.name(QColor::HexArgb));
    m_noTab->setStyleSheet(secondary);
    m_sleepingDetail->setStyleSheet(secondary);
    m_sleepingTitle->setStyleSheet(QStringLiteral("color: %1;").arg(palette.textPrimary.name(QColor::HexArgb)));
    m_sleepingSymbol->setColor(palette.hibernationColor);

    const auto tab = m_state.tabs().activeTab();
    if (!tab) {
        m_stack->setCurrentWidget(m_noTab);
    } else if (tab->isHibernated) {
        m_stack->setCurrentWidget(m_sleeping);
    } else if (isVisible()) {
        // Pages are made only for a panel on screen: a start with a URL
        // command loads the page it opens, not the one it replaces.
        m_container->showTab(*tab);
        m_stack->setCurrentWidget(m_container);
    }
}

void PageAreaView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}
