#include "ui/TopHeaderBarView.h"

#include "panel/OrvanePanel.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/BarTexts.h"
#include "ui/ElidingLabel.h"
#include "ui/SymbolButton.h"
#include "web/HibernationEngine.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

TopHeaderBarView::TopHeaderBarView(AppState &state, HibernationEngine &engine, OrvanePanel &panel, QWidget *parent)
    : WindowDragArea(parent)
    , m_state(state)
    , m_engine(engine)
    , m_title(new ElidingLabel(QString(), this))
    , m_deviceToggle(new QWidget(this))
    , m_desktop(new QPushButton(QStringLiteral("Desktop"), m_deviceToggle))
    , m_mobile(new QPushButton(QStringLiteral("Mobile"), m_deviceToggle))
    , m_hibernate(new SymbolButton(state.settings(), QStringLiteral("snowflake"), QString(), this))
    , m_palette(new SymbolButton(state.settings(), QStringLiteral("magnifyingglass"),
                                 QStringLiteral("Open command palette (Ctrl + K)"), this))
    , m_pin(new SymbolButton(state.settings(), QString(), QString(), this))
    , m_hide(new SymbolButton(state.settings(), QString(), QStringLiteral("Hide panel"), this))
{
    setFixedHeight(int(OrvaneTheme::headerHeight));
    setAccessibleName(QStringLiteral("Header"));
    m_title->setPixelSize(13, QFont::DemiBold);

    auto *segments = new QHBoxLayout(m_deviceToggle);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(0);
    for (QPushButton *segment : {m_desktop, m_mobile}) {
        segment->setCheckable(true);
        segment->setAutoExclusive(false);
        segment->setFlat(true);
        segments->addWidget(segment);
    }
    m_hide->setBackdrop(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 0, 10, 0);
    layout->setSpacing(4);
    layout->addWidget(m_title, 1);
    layout->addWidget(m_deviceToggle);
    for (SymbolButton *button : {m_hibernate, m_palette, m_pin, m_hide})
        layout->addWidget(button);

    const auto setMode = [this](UserAgentMode wanted) {
        const auto tab = m_state.tabs().activeTab();
        if (tab && tab->userAgentMode != wanted)
            m_state.tabs().toggleUserAgent(tab->id);
        refresh();
    };
    connect(m_desktop, &QPushButton::clicked, this, [setMode] { setMode(UserAgentMode::Desktop); });
    connect(m_mobile, &QPushButton::clicked, this, [setMode] { setMode(UserAgentMode::Mobile); });
    connect(m_hibernate, &QAbstractButton::clicked, this, [this, &engine] {
        const auto tab = m_state.tabs().activeTab();
        if (!tab)
            return;
        if (tab->isHibernated)
            m_state.tabs().setTabHibernated(tab->id, false);
        else
            engine.hibernateTab(tab->id);
    });
    connect(m_palette, &QAbstractButton::clicked, this,
            [this] { m_state.content().setShowCommandPalette(!m_state.content().showCommandPalette()); });
    connect(m_pin, &QAbstractButton::clicked, this,
            [this] { m_state.settings().set(&Settings::isPinned, !m_state.settings().values().isPinned); });
    connect(m_hide, &QAbstractButton::clicked, &panel, [&panel] { panel.hidePanel(true); });

    connect(&m_state.tabs(), &TabListModel::changed, this, &TopHeaderBarView::refresh);
    connect(&engine, &HibernationEngine::pageTitleChanged, this, &TopHeaderBarView::refresh);
    connect(&m_state.content(), &PanelContent::activeItemChanged, this, &TopHeaderBarView::refresh);
    connect(&m_state.settings(), &SettingsModel::changed, this, &TopHeaderBarView::refresh);
    refresh();
}

void TopHeaderBarView::refresh()
{
    const Settings &settings = m_state.settings().values();
    const ThemePalette &palette = OrvaneTheme::palette(settings.currentTheme);
    const auto tab = m_state.tabs().activeTab();
    m_title->setText(BarTexts::headerTitle(tab, tab ? m_engine.pageTitle(tab->id) : QString()));
    m_title->setColor(palette.textPrimary);
    m_deviceToggle->setVisible(settings.showDeviceToggleInHeader && tab);
    m_hibernate->setVisible(bool(tab));
    if (tab) {
        m_desktop->setChecked(tab->userAgentMode == UserAgentMode::Desktop);
        m_mobile->setChecked(tab->userAgentMode == UserAgentMode::Mobile);
        m_hibernate->setToolTipText(BarTexts::hibernateTooltip(tab->isHibernated));
    }
    m_pin->setSymbol(BarTexts::pinSymbol(settings.isPinned));
    m_pin->setToolTipText(BarTexts::pinTooltip(settings.isPinned));
    m_hide->setSymbol(BarTexts::hideSymbol(settings.screenDockEdge));
    update();
}

void TopHeaderBarView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    QPainter painter(this);
    painter.fillRect(QRect(0, height() - 1, width(), 1), palette.border);
}
