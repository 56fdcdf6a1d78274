#include "ui/ScreenHeaderView.h"

#include "panel/OrvanePanel.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/BarTexts.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolTextButton.h"

#include <QHBoxLayout>

namespace {
constexpr int buttonSide = 22;
} // namespace

ScreenHeaderView::ScreenHeaderView(AppState &state, OrvanePanel &panel, QWidget *titleBlock, QWidget *parent)
    : WindowDragArea(parent)
    , m_state(state)
    , m_layout(new QHBoxLayout(this))
    , m_palette(new SymbolTextButton(QString(), QStringLiteral("Ctrl K"), this))
    , m_pin(new SymbolButton(state.settings(), QStringLiteral("pin.fill"), QString(), this))
    , m_close(new SymbolButton(state.settings(), QString(), QStringLiteral("Close Orvane (Esc)"), this))
{
    setAccessibleName(QStringLiteral("Header"));
    titleBlock->setParent(this);
    m_palette->setToolTip(QStringLiteral("Open command palette (Ctrl + K)"));
    m_palette->setAccessibleName(m_palette->toolTip());
    m_palette->setSizes(0, 10, QFont::Medium);
    m_palette->setFixedHeight(buttonSide);
    for (SymbolButton *button : {m_pin, m_close}) {
        button->setSymbolSize(11);
        button->setFixedSize(buttonSide, buttonSide);
    }

    m_layout->setContentsMargins(16, 12, 12, 10);
    m_layout->setSpacing(6);
    m_layout->addWidget(titleBlock, 1);
    m_layout->addWidget(m_palette, 0, Qt::AlignTop);
    m_layout->addWidget(m_pin, 0, Qt::AlignTop);
    m_layout->addWidget(m_close, 0, Qt::AlignTop);

    connect(m_palette, &QAbstractButton::clicked, this,
            [this] { m_state.content().setShowCommandPalette(!m_state.content().showCommandPalette()); });
    connect(m_pin, &QAbstractButton::clicked, this,
            [this] { m_state.settings().set(&Settings::isPinned, !m_state.settings().values().isPinned); });
    connect(m_close, &QAbstractButton::clicked, &panel, [&panel] { panel.hidePanel(true); });
    connect(&m_state.settings(), &SettingsModel::changed, this, &ScreenHeaderView::refresh);
    refresh();
}

void ScreenHeaderView::addButton(QAbstractButton *button)
{
    button->setParent(this);
    button->setFixedSize(buttonSide, buttonSide);
    m_layout->insertWidget(m_layout->indexOf(m_pin), button, 0, Qt::AlignTop);
}

void ScreenHeaderView::refresh()
{
    const Settings &settings = m_state.settings().values();
    const ThemePalette &palette = OrvaneTheme::palette(settings.currentTheme);
    m_palette->setColor(palette.textSecondary);
    m_palette->setOutline(palette.border);
    m_pin->setHighlighted(settings.isPinned);
    m_pin->setToolTipText(BarTexts::pinTooltip(settings.isPinned));
    m_close->setSymbol(BarTexts::hideSymbol(settings.screenDockEdge));
}
