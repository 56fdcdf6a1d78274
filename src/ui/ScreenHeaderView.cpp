#include "ui/ScreenHeaderView.h"

#include "panel/OrvanePanel.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/BarTexts.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolTextButton.h"

#include <QHBoxLayout>

ScreenHeaderView::ScreenHeaderView(AppState &state, OrvanePanel &panel, QWidget *titleBlock, QWidget *parent)
    : ScreenHeaderView(state, [&panel] { panel.hidePanel(true); }, QStringLiteral("Close Orvane (Esc)"), true, titleBlock,
                       parent)
{
}

ScreenHeaderView::ScreenHeaderView(AppState &state, std::function<void()> close, const QString &closeTooltip,
                                   QWidget *titleBlock, QWidget *parent)
    : ScreenHeaderView(state, std::move(close), closeTooltip, false, titleBlock, parent)
{
}

ScreenHeaderView::ScreenHeaderView(AppState &state, std::function<void()> close, const QString &closeTooltip,
                                   bool closeHidesPanel, QWidget *titleBlock, QWidget *parent)
    : WindowDragArea(parent)
    , m_state(state)
    , m_closeHidesPanel(closeHidesPanel)
    , m_layout(new QHBoxLayout(this))
    , m_palette(new SymbolTextButton(QString(), QStringLiteral("Ctrl K"), this))
    , m_pin(new SymbolButton(state.settings(), QStringLiteral("pin.fill"), QString(), this))
    , m_close(new SymbolButton(state.settings(), QStringLiteral("xmark"), closeTooltip, this))
{
    setAccessibleName(QStringLiteral("Header"));
    setFixedHeight(int(OrvaneTheme::headerHeight));
    titleBlock->setParent(this);
    m_palette->setToolTip(QStringLiteral("Open command palette (Ctrl + K)"));
    m_palette->setAccessibleName(m_palette->toolTip());
    m_palette->setSizes(0, 10, QFont::Medium);

    // The same margins and spacing as the web tabs' header.
    m_layout->setContentsMargins(16, 0, 10, 0);
    m_layout->setSpacing(4);
    m_layout->addWidget(titleBlock, 1);
    m_layout->addWidget(m_palette);
    m_layout->addWidget(m_pin);
    m_layout->addWidget(m_close);

    connect(m_palette, &QAbstractButton::clicked, this,
            [this] { m_state.content().setShowCommandPalette(!m_state.content().showCommandPalette()); });
    connect(m_pin, &QAbstractButton::clicked, this,
            [this] { m_state.settings().set(&Settings::isPinned, !m_state.settings().values().isPinned); });
    connect(m_close, &QAbstractButton::clicked, this, std::move(close));
    connect(&m_state.settings(), &SettingsModel::changed, this, &ScreenHeaderView::refresh);
    refresh();
}

void ScreenHeaderView::addButton(QAbstractButton *button)
{
    button->setParent(this);
    m_layout->insertWidget(m_layout->indexOf(m_pin), button);
}

void ScreenHeaderView::refresh()
{
    const Settings &settings = m_state.settings().values();
    const ThemePalette &palette = OrvaneTheme::palette(settings.currentTheme);
    m_palette->setColor(palette.textSecondary);
    m_palette->setOutline(palette.border);
    m_pin->setHighlighted(settings.isPinned);
    m_pin->setToolTipText(BarTexts::pinTooltip(settings.isPinned));
    if (m_closeHidesPanel)
        m_close->setSymbol(BarTexts::hideSymbol(settings.screenDockEdge));
}
