#include "ui/AddressBarView.h"

#include "panel/OrvanePanel.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/BarTexts.h"
#include "ui/FindBarView.h"
#include "ui/PillButton.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolLabel.h"
#include "web/HibernationEngine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

AddressBarView::AddressBarView(AppState &state, HibernationEngine &engine, OrvanePanel &panel, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_engine(engine)
    , m_hidePanel(new SymbolButton(state.settings(), QStringLiteral("sidebar.right"), QStringLiteral("Hide panel"), this))
    , m_security(new SymbolLabel(QString(), 10, this))
    , m_host(new QLabel(this))
    , m_zoom(new PillButton(state.settings(), QString(), PillButton::Style::Plain, this))
    , m_find(new FindBarView(state, engine, this))
    , m_reload(new SymbolButton(state.settings(), QStringLiteral("arrow.clockwise"), QStringLiteral("Reload page"), this))
    , m_close(new SymbolButton(state.settings(), QStringLiteral("xmark"), QStringLiteral("Close tab"), this))
{
    setFixedHeight(int(OrvaneTheme::addressBarHeight));
    setAccessibleName(QStringLiteral("Address"));
    m_hidePanel->setSymbolSize(11);
    m_reload->setSymbolSize(11);
    m_close->setSymbolSize(10);
    QFont hostFont = m_host->font();
    hostFont.setPixelSize(11);
    m_host->setFont(hostFont);
    m_host->setTextFormat(Qt::PlainText);
    m_host->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(6);
    layout->addWidget(m_hidePanel);
    layout->addWidget(m_security);
    layout->addWidget(m_host, 1);
    layout->addWidget(m_find, 1);
    layout->addWidget(m_zoom);
    layout->addWidget(m_reload);
    layout->addWidget(m_close);

    connect(m_hidePanel, &QAbstractButton::clicked, &panel, [&panel] { panel.hidePanel(true); });
    connect(m_zoom, &QAbstractButton::clicked, this, [this] {
        if (const auto tab = m_state.tabs().activeTab())
            m_state.tabs().zoomTab(tab->id, TabListModel::Zoom::Reset);
    });
    connect(m_reload, &QAbstractButton::clicked, this, [this] {
        if (const auto tab = m_state.tabs().activeTab())
            m_engine.reload(*tab);
    });
    connect(m_close, &QAbstractButton::clicked, this, [this] {
        if (const auto tab = m_state.tabs().activeTab())
            m_state.tabs().removeTab(tab->id);
    });
    connect(&m_state.tabs(), &TabListModel::changed, this, &AddressBarView::refresh);
    connect(&m_state.content(), &PanelContent::activeItemChanged, this, &AddressBarView::refresh);
    connect(&m_state.content(), &PanelContent::findingInPageChanged, this, &AddressBarView::refresh);
    connect(&m_state.settings(), &SettingsModel::changed, this, &AddressBarView::refresh);
    connect(&m_engine, &HibernationEngine::pageSecurityChanged, this, &AddressBarView::refresh);
    refresh();
}

void AddressBarView::refresh()
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    const auto tab = m_state.tabs().activeTab();
    const bool addressShown = tab && !m_state.content().isFindingInPage();
    for (QWidget *part : {static_cast<QWidget *>(m_host), static_cast<QWidget *>(m_reload), static_cast<QWidget *>(m_close)})
        part->setVisible(addressShown);
    const int zoom = tab ? tab->zoomPercent() : ZoomSteps::normal;
    m_zoom->setVisible(addressShown && zoom != ZoomSteps::normal);
    m_zoom->setText(QStringLiteral("%1 %").arg(zoom));
    m_zoom->setToolTip(QStringLiteral("Zoom %1 %: click for 100 %").arg(zoom));
    m_zoom->setAccessibleName(m_zoom->toolTip());
    m_host->setText(tab ? BarTexts::addressText(tab->url) : QString());
    m_host->setStyleSheet(QStringLiteral("color: %1;").arg(palette.textSecondary.name(QColor::HexArgb)));
    const auto mark = BarTexts::securityMark(tab ? m_engine.existingWebView(tab->id) : nullptr);
    m_security->setVisible(addressShown && mark);
    if (mark) {
        m_security->setSymbol(mark->symbol);
        m_security->setAccessibleName(mark->name);
        m_security->setToolTip(mark->name);
    }
    m_security->setColor(palette.textSecondary);
    update();
}

void AddressBarView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    QPainter painter(this);
    painter.fillRect(QRect(0, height() - 1, width(), 1), palette.border);
}
