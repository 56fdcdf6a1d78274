#include "ui/StatusFooterView.h"

#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/BarTexts.h"
#include "ui/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {
QLabel *smallLabel(int pixelSize, QWidget *parent)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

StatusFooterView::StatusFooterView(AppState &state, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_apps(smallLabel(10, this))
    , m_snowflake(new SymbolLabel(QStringLiteral("snowflake"), 10, this))
    , m_asleep(smallLabel(10, this))
    , m_beta(smallLabel(8, this))
    , m_memory(smallLabel(9, this))
{
    setFixedHeight(int(OrvaneTheme::statusFooterHeight));
    setAccessibleName(QStringLiteral("Status"));
    m_apps->setObjectName(QStringLiteral("footerCounts"));
    m_beta->setText(QStringLiteral("BETA"));
    m_beta->setFixedHeight(13);
    m_beta->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 0, 12, 0);
    layout->setSpacing(6);
    layout->addWidget(m_apps);
    layout->addSpacing(6);
    layout->addWidget(m_snowflake);
    layout->addWidget(m_asleep);
    layout->addSpacing(6);
    layout->addWidget(m_beta);
    layout->addStretch(1);
    layout->addWidget(m_memory);

    connect(&m_state.tabs(), &TabListModel::changed, this, &StatusFooterView::refresh);
    connect(&m_state.settings(), &SettingsModel::changed, this, &StatusFooterView::refresh);
    connect(&m_state, &AppState::liveMemoryMBChanged, this, &StatusFooterView::refresh);
    refresh();
}

void StatusFooterView::refresh()
{
    const Settings &settings = m_state.settings().values();
    const ThemePalette &palette = OrvaneTheme::palette(settings.currentTheme);
    const QList<TabModel> &tabs = m_state.tabs().tabs();
    const auto sleeping = std::count_if(tabs.cbegin(), tabs.cend(), [](const TabModel &tab) { return tab.isHibernated; });
    m_apps->setText(BarTexts::webAppsText(tabs.size()));
    m_asleep->setText(BarTexts::asleepText(sleeping));
    const QString secondary = QStringLiteral("color: %1;").arg(palette.textSecondary.name(QColor::HexArgb));
    m_apps->setStyleSheet(secondary);
    m_asleep->setStyleSheet(secondary);
    m_snowflake->setColor(palette.accent);
    m_beta->setStyleSheet(QStringLiteral("color: %1; border: 1px solid %1; border-radius: 3px; padding: 0 3px; font-weight: 600;")
                              .arg(palette.accent.name(QColor::HexArgb)));
    m_memory->setVisible(settings.showMemoryInFooter);
    const int megabytes = m_state.liveMemoryMB();
    m_memory->setText(BarTexts::memoryText(megabytes));
    m_memory->setToolTip(BarTexts::memoryTooltip(megabytes));
    QColor backdrop = isLight(settings.currentTheme) ? QColor(0, 0, 0) : QColor(255, 255, 255);
    backdrop.setAlphaF(0.06f);
    m_memory->setStyleSheet(QStringLiteral("color: %1; background: %2; border-radius: 4px; padding: 1px 5px;")
                                .arg(palette.textSecondary.name(QColor::HexArgb), backdrop.name(QColor::HexArgb)));
    update();
}

void StatusFooterView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    QPainter painter(this);
    painter.fillRect(rect(), palette.statusFooterBackground);
    painter.fillRect(QRect(0, 0, width(), 1), palette.border);
}
