#include "ai/AIPromptBar.h"

#include "ai/PromptActionButton.h"
#include "ai/PromptBar.h"
#include "ai/PromptTargetButton.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolLabel.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int collapsedLines = 3;
constexpr int expandedMaximumHeight = 140;
constexpr double lineGap = 3;

QLabel *label(int pixelSize, QFont::Weight weight, QWidget *parent)
{
    auto *result = new QLabel(parent);
    QFont font = result->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    result->setFont(font);
    result->setTextFormat(Qt::PlainText);
    return result;
}
} // namespace

AIPromptBar::AIPromptBar(std::unique_ptr<PromptBar> model, const SettingsModel &settings, QNetworkAccessManager &network,
                         QWidget *parent)
    : QWidget(parent)
    , m_model(std::move(model))
    , m_settings(settings)
    , m_network(network)
    , m_viewfinder(new SymbolLabel(QStringLiteral("viewfinder"), 12, this))
    , m_appName(label(11, QFont::DemiBold, this))
    , m_badge(label(8, QFont::Bold, this))
    , m_stagedLabel(label(8, QFont::Medium, this))
    , m_targets(new QHBoxLayout)
    , m_dismiss(new SymbolButton(settings, QStringLiteral("xmark"), QStringLiteral("Dismiss staged context (Esc)"), this))
    , m_preview(new QTextEdit(this))
    , m_countRow(new QWidget(this))
    , m_count(label(10, QFont::Normal, m_countRow))
    , m_expand(new PromptActionButton(settings, QStringLiteral("Show more"), QStringLiteral("chevron.down"), false, m_countRow))
    , m_targetLabel(label(10, QFont::Normal, this))
{
    setObjectName(QStringLiteral("aiPromptBar"));
    setAccessibleName(QStringLiteral("Staged context"));
    m_stagedLabel->setText(QStringLiteral("STAGED"));
    m_dismiss->setFixedSize(20, 20);
    m_dismiss->setSymbolSize(9);
    m_targets->setSpacing(4);
    m_targets->setContentsMargins(0, 0, 0, 0);

    auto *header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(m_viewfinder);
    header->addWidget(m_appName);
    header->addWidget(m_badge);
    header->addWidget(m_stagedLabel);
    header->addStretch(1);
    header->addLayout(m_targets);
    header->addWidget(m_dismiss);

    m_preview->setReadOnly(true);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_preview->setFrameShape(QFrame::NoFrame);
    m_preview->setAccessibleName(QStringLiteral("Captured text"));
    m_preview->document()->setDocumentMargin(0);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(11);
    m_preview->setFont(mono);
    m_preview->viewport()->setAutoFillBackground(false);
    m_preview->setStyleSheet(QStringLiteral("QTextEdit { background: transparent; }"));

    auto *countLayout = new QHBoxLayout(m_countRow);
    countLayout->setContentsMargins(0, 0, 0, 0);
    countLayout->setSpacing(4);
    countLayout->addWidget(m_count);
    countLayout->addStretch(1);
    countLayout->addWidget(m_expand);

    auto *actionsRow = new QHBoxLayout;
    actionsRow->setSpacing(6);
    const QList<PromptBar::Action> &actions = PromptBar::actions();
    for (qsizetype index = 0; index < actions.size(); ++index) {
        const PromptBar::Action &action = actions.at(index);
        auto *button = new PromptActionButton(settings, action.title, action.symbol, action.isPrimary, this);
        connect(button, &QAbstractButton::clicked, this, [this, index] { m_model->send(index); });
        actionsRow->addWidget(button);
    }
    actionsRow->addStretch(1);
    actionsRow->addWidget(m_targetLabel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    layout->addLayout(header);
    layout->addWidget(m_preview);
    layout->addWidget(m_countRow);
    layout->addLayout(actionsRow);

    connect(m_dismiss, &QAbstractButton::clicked, this, [this] { m_model->dismiss(); });
    connect(m_expand, &QAbstractButton::clicked, this, [this] { m_model->toggleExpanded(); });
    connect(m_model.get(), &PromptBar::changed, this, &AIPromptBar::refresh);
    connect(&m_settings, &SettingsModel::changed, this, &AIPromptBar::refresh);
    refresh();
}

AIPromptBar::~AIPromptBar() = default;

void AIPromptBar::refresh()
{
    const auto &staged = m_model->staged();
    setVisible(staged.has_value());
    if (!staged)
        return;
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    const auto colour = [](const QColor &c) { return QStringLiteral("color: %1;").arg(c.name(QColor::HexArgb)); };
    m_viewfinder->setColor(palette.accent);
    m_appName->setText(staged->appName);
    m_appName->setStyleSheet(colour(palette.textPrimary));
    m_badge->setText(m_model->badge());
    m_badge->setStyleSheet(colour(palette.accent));
    m_stagedLabel->setStyleSheet(colour(palette.textMuted));
    m_count->setText(m_model->characterCountText());
    m_count->setStyleSheet(colour(palette.textMuted));
    m_expand->setTitleAndSymbol(m_model->expandTitle(), m_model->expandSymbol());
    m_countRow->setVisible(m_model->showsCharacterCount());
    m_targetLabel->setText(m_model->targetLabel());
    m_targetLabel->setStyleSheet(colour(palette.textMuted));
    m_preview->setStyleSheet(QStringLiteral("QTextEdit { background: transparent; %1 }").arg(colour(palette.textPrimary)));
    if (m_preview->toPlainText() != m_model->previewText()) {
        m_preview->setPlainText(m_model->previewText());
        QTextCursor everything(m_preview->document());
        everything.select(QTextCursor::Document);
        QTextBlockFormat spacing;
        spacing.setLineHeight(lineGap, QTextBlockFormat::LineDistanceHeight);
        everything.mergeBlockFormat(spacing);
    }
    fitPreview();
    rebuildTargets();
    update();
}

// Collapsed, the preview shows three lines and no more; expanded, all of it
// up to a height from which it scrolls.
void AIPromptBar::fitPreview()
{
    const int lineHeight = m_preview->fontMetrics().lineSpacing() + int(lineGap);
    m_preview->document()->setTextWidth(m_preview->viewport()->width());
    const int contentHeight = int(m_preview->document()->size().height()) + 2;
    if (m_model->isExpanded()) {
        m_preview->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_preview->setFixedHeight(std::min(contentHeight, expandedMaximumHeight));
    } else {
        m_preview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_preview->setFixedHeight(std::min(contentHeight, collapsedLines * lineHeight));
        m_preview->verticalScrollBar()->setValue(0);
    }
}

void AIPromptBar::rebuildTargets()
{
    // Later: the pressed button may be the one whose click got us here.
    while (QLayoutItem *item = m_targets->takeAt(0)) {
        item->widget()->hide();
        item->widget()->deleteLater();
        delete item;
    }
    for (const TabModel &tab : m_model->aiTabs()) {
        auto *button = new PromptTargetButton(m_settings, m_network, tab, m_model->isTarget(tab), this);
        connect(button, &QAbstractButton::clicked, this, [this, id = tab.id] { m_model->selectTarget(id); });
        m_targets->addWidget(button);
    }
}

void AIPromptBar::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(6.5, 4.5, -6.5, -4.5), 10, 10);
    painter.fillPath(card, palette.cardBackground());
    QColor outline = palette.accent;
    outline.setAlphaF(0.35f);
    painter.strokePath(card, QPen(outline, 1));
}
