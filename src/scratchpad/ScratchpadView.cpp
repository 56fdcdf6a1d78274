#include "scratchpad/ScratchpadView.h"

#include "scratchpad/LiveNoteEditor.h"
#include "scratchpad/NoteStyling.h"
#include "scratchpad/ScratchpadSummary.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/ElidingLabel.h"
#include "ui/ScreenHeaderView.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolTextButton.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {
constexpr double copyFeedbackSeconds = 1.2;
constexpr int badgeSpacing = 8;

QLabel *textLabel(const QString &text, int pixelSize, QWidget *parent, QFont::Weight weight = QFont::Normal)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

ElidingLabel *elidingLabel(const QString &text, int pixelSize, QWidget *parent)
{
    auto *label = new ElidingLabel(text, parent);
    label->setPixelSize(pixelSize);
    return label;
}

QString colorRule(const QColor &color)
{
    return QStringLiteral("color: %1;").arg(color.name(QColor::HexArgb));
}
} // namespace

ScratchpadView::ScratchpadView(AppState &state, OrvanePanel &panel, const CurrencyEngine &currency,
                               KeyValueStore &store, Clock &clock, QWidget *parent)
    : QWidget(parent), m_state(state), m_parser(currency), m_note(store, clock), m_answers(m_parser),
      m_copied(clock, copyFeedbackSeconds)
{
    setAccessibleName(QStringLiteral("Scratchpad"));
    m_editor = new LiveNoteEditor(state.settings(), m_parser, m_answers, clock, this);
    m_editor->setNote(m_note.text());
    m_answers.read(m_note.text());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new ScreenHeaderView(state, panel, makeTitleBlock(), this));
    layout->addWidget(makeToolbar());
    auto *card = new QVBoxLayout;
    // Room for the card's outline, which paintEvent draws around the editor.
    card->setContentsMargins(15, 4, 15, 6);
    card->addWidget(m_editor);
    layout->addLayout(card, 1);
    layout->addWidget(makeFooter());

    m_footerFrame.setSingleShot(true);
    m_footerFrame.setInterval(16);
    connect(&m_footerFrame, &QTimer::timeout, this, &ScratchpadView::refreshFooter);
    connect(m_editor, &LiveNoteEditor::noteEdited, this, [this] {
        const QString text = m_editor->toPlainText();
        m_note.setText(text);
        m_answers.read(text);
        if (!m_footerFrame.isActive())
            m_footerFrame.start();
    });
    connect(&m_note, &ScratchpadNote::textReplaced, this, [this] { m_editor->replaceNote(m_note.text()); });
    connect(m_copy, &QAbstractButton::clicked, this, &ScratchpadView::copyResults);
    connect(m_reset, &QAbstractButton::clicked, this, [this] { m_note.resetToSample(); });
    connect(&m_copied, &TransientFlag::changed, this, &ScratchpadView::refresh);
    connect(&state.settings(), &SettingsModel::changed, this, &ScratchpadView::refresh);
    refresh();
    refreshFooter();
}

ScratchpadView::~ScratchpadView()
{
    // The editor may hold a change the note has not taken yet; after this the
    // editor (destroyed after the note) reports to nobody.
    m_note.setText(m_editor->toPlainText());
    m_note.saveNow();
    m_editor->disconnect(this);
}

QWidget *ScratchpadView::makeTitleBlock()
{
    auto *block = new QWidget;
    m_titleBlock = block;
    block->installEventFilter(this);
    m_caption = textLabel(QStringLiteral("THINK OUT LOUD"), 10, block, QFont::DemiBold);
    QFont spaced = m_caption->font();
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    m_caption->setFont(spaced);
    m_title = new ElidingLabel(QStringLiteral("Scratchpad"), block);
    m_title->setPixelSize(ScreenHeaderView::titlePixelSize, QFont::DemiBold);
    m_badge = textLabel(QStringLiteral("Live Math & Currency"), 10, block, QFont::Medium);
    // The badge never makes the header wider: it gives way whole (see eventFilter).
    m_badge->setMinimumWidth(1);
    auto *titleRow = new QHBoxLayout;
    titleRow->setSpacing(badgeSpacing);
    titleRow->addWidget(m_title);
    titleRow->addWidget(m_badge, 0, Qt::AlignVCenter);
    titleRow->addStretch(1);
    auto *column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(m_caption);
    column->addLayout(titleRow);
    return block;
}

QWidget *ScratchpadView::makeToolbar()
{
    auto *toolbar = new QWidget(this);
    m_hint = elidingLabel(QStringLiteral("Markdown  \u00B7  Type any calculation and press = to evaluate"), 11, toolbar);
    m_copy = new SymbolTextButton(QStringLiteral("doc.on.doc"), QStringLiteral("Copy Results"), toolbar);
    m_copy->setSizes(10, 11, QFont::Medium);
    m_copy->setToolTip(QStringLiteral("Copy all calculated equation results to clipboard"));
    m_copy->setAccessibleName(m_copy->toolTip());
    m_reset = new SymbolButton(m_state.settings(), QStringLiteral("arrow.counterclockwise"),
                               QStringLiteral("Reset to sample live calculations template"), toolbar);
    m_reset->setSymbolSize(10);
    auto *row = new QHBoxLayout(toolbar);
    row->setContentsMargins(16, 0, 12, 2);
    row->setSpacing(4);
    row->addWidget(m_hint, 1);
    row->addWidget(m_copy);
    row->addWidget(m_reset);
    return toolbar;
}

QWidget *ScratchpadView::makeFooter()
{
    auto *footer = new QWidget(this);
    m_counts = elidingLabel(QString(), 10, footer);
    // The counts keep their room; the hint gives way.
    m_counts->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_footerHint = elidingLabel(QStringLiteral("Type = to evaluate  \u00B7  Enter for next line"), 10, footer);
    m_footerHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *row = new QHBoxLayout(footer);
    row->setContentsMargins(16, 2, 16, 8);
    row->setSpacing(12);
    row->addWidget(m_counts);
    row->addWidget(m_footerHint, 1);
    return footer;
}

QString ScratchpadView::footerText() const
{
    return m_counts->text();
}

void ScratchpadView::copyResults()
{
    const auto text = ScratchpadSummary::resultsText(m_note.text(), m_parser);
    if (!text)
        return;
    QGuiApplication::clipboard()->setText(*text);
    m_copied.raise();
}

void ScratchpadView::refresh()
{
    const AppThemeMode theme = m_state.settings().values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    m_caption->setStyleSheet(colorRule(palette.textSecondary));
    m_title->setColor(palette.textPrimary);
    QColor badgeWash = palette.success;
    badgeWash.setAlphaF(0.14f);
    m_badge->setStyleSheet(QStringLiteral("color: %1; background: %2; border-radius: 4px; padding: 1px 6px;")
                               .arg(palette.success.name(QColor::HexArgb), badgeWash.name(QColor::HexArgb)));
    for (ElidingLabel *label : {m_hint, m_counts, m_footerHint})
        label->setColor(palette.textMuted);
    const bool copied = m_copied.isRaised();
    m_copy->setSymbol(copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"));
    m_copy->setLabel(copied ? QStringLiteral("Copied!") : QStringLiteral("Copy Results"));
    m_copy->setColor(copied ? palette.success : palette.accent);
    update();
}

void ScratchpadView::refreshFooter()
{
    m_counts->setText(ScratchpadSummary::footerText(ScratchpadSummary::counts(m_note.text(), m_answers)));
}

void ScratchpadView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_editor->setFocus();
}

bool ScratchpadView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_titleBlock && event->type() == QEvent::Resize) {
        const int needed = m_title->sizeHint().width() + badgeSpacing + m_badge->sizeHint().width();
        m_badge->setVisible(m_titleBlock->width() >= needed);
    }
    return QWidget::eventFilter(watched, event);
}

void ScratchpadView::paintEvent(QPaintEvent *)
{
    const AppThemeMode theme = m_state.settings().values().currentTheme;
    const ThemePalette &palette = OrvaneTheme::palette(theme);
    QPainter painter(this);
    painter.fillRect(rect(), palette.panelBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette.border, 1));
    painter.setBrush(NoteStyling::palette(isLight(theme)).card);
    painter.drawRoundedRect(QRectF(m_editor->geometry()).adjusted(-0.5, -0.5, 0.5, 0.5), 12, 12);
}
