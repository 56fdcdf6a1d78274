#include "shelf/DropShelfView.h"

#include "shelf/DashedFrame.h"
#include "shelf/SampleDropShelf.h"
#include "shelf/ShelfCardList.h"
#include "shelf/StagedItemCardView.h"
#include "state/AppState.h"
#include "state/CountText.h"
#include "theme/OrvaneTheme.h"
#include "ui/ElidingLabel.h"
#include "ui/ScreenHeaderView.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolLabel.h"
#include "ui/SymbolTextButton.h"

#include <QDragEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QVBoxLayout>

namespace {

QLabel *textLabel(const QString &text, int pixelSize, QWidget *parent, QFont::Weight weight = QFont::Normal)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

QString colorRule(const QColor &color)
{
    return QStringLiteral("color: %1;").arg(color.name(QColor::HexArgb));
}

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

// What the shelf takes: file addresses, addresses, text and images (of
// which only the first three stage anything).
bool offersSomethingToStage(const QMimeData &data)
{
    return data.hasUrls() || data.hasText() || data.hasFormat(QStringLiteral("text/plain;charset=utf-8"))
        || data.hasImage();
}

} // namespace

DropShelfView::DropShelfView(AppState &state, OrvanePanel &panel, KeyValueStore &store, Clock &clock,
                             QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_store(store)
    , m_clock(clock)
    , m_stager(state.shelf())
{
    setAccessibleName(QStringLiteral("Drop Shelf"));
    setAcceptDrops(true);

    m_title = new ElidingLabel(QStringLiteral("Drop Shelf"));
    m_title->setPixelSize(ScreenHeaderView::titlePixelSize, QFont::DemiBold);
    auto *header = new ScreenHeaderView(state, panel, m_title, this);
    auto *add = new SymbolButton(state.settings(), QStringLiteral("plus"), QStringLiteral("Add files"));
    header->addButton(add);

    m_caption = new ElidingLabel(QString(), this);
    m_caption->setPixelSize(10, QFont::DemiBold);
    QFont spaced = m_caption->font();
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    m_caption->setFont(spaced);
    m_clearAll = new SymbolTextButton(QString(), QStringLiteral("Clear all"), this);
    m_clearAll->setSizes(0, 11, QFont::Medium);
    auto *captionRow = new QHBoxLayout;
    captionRow->setContentsMargins(16, 4, 12, 4);
    captionRow->addWidget(m_caption, 1);
    captionRow->addWidget(m_clearAll);

    m_list = new ShelfCardList(state, clock, m_thumbnails, this);
    m_stripSymbol = new SymbolLabel(QStringLiteral("plus"), 11, &m_list->strip());
    m_stripText = textLabel(QStringLiteral("DROP TO ADD"), 10, &m_list->strip(), QFont::DemiBold);
    auto *stripRow = new QHBoxLayout(&m_list->strip());
    stripRow->addStretch(1);
    stripRow->addWidget(m_stripSymbol);
    stripRow->addWidget(m_stripText);
    stripRow->addStretch(1);
    m_list->setItems(state.shelf().items());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addLayout(captionRow);
    layout->addWidget(makeEmptyState(), 1);
    layout->addWidget(m_list, 1);
    layout->addWidget(makeFooter());
    makeOverlay();

    connect(add, &QAbstractButton::clicked, this, &DropShelfView::chooseFiles);
    connect(m_choose, &QAbstractButton::clicked, this, &DropShelfView::chooseFiles);
    connect(m_clearAll, &QAbstractButton::clicked, this, [this] { m_state.shelf().clearDropShelf(); });
    connect(&state.shelf(), &DropShelfModel::changed, this, [this] {
        m_list->setItems(m_state.shelf().items());
        refresh();
    });
    connect(&state.settings(), &SettingsModel::changed, this, &DropShelfView::refresh);
    refresh();
}

QWidget *DropShelfView::makeEmptyState()
{
    m_empty = new DashedFrame(this);
    auto *column = new QVBoxLayout(m_empty);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(8);
    column->addStretch(1);
    m_emptyTexts = {textLabel(QStringLiteral("Drop files, snippets, or links anywhere"), 13, m_empty, QFont::DemiBold),
                    textLabel(QStringLiteral("Drag text, files, or links to this panel, or browse:"), 11, m_empty)};
    for (QLabel *label : m_emptyTexts)
        column->addWidget(label);
    m_choose = new SymbolTextButton(QStringLiteral("folder.badge.plus"), QStringLiteral("Choose files"), m_empty);
    m_choose->setSizes(12, 12, QFont::Medium);
    column->addWidget(m_choose, 0, Qt::AlignHCenter);
    column->addStretch(1);
    auto *holder = new QWidget(this);
    auto *margins = new QVBoxLayout(holder);
    margins->setContentsMargins(12, 4, 12, 8);
    margins->addWidget(m_empty);
    return holder;
}

QWidget *DropShelfView::makeFooter()
{
    auto *footer = new QWidget(this);
    m_footerNote = new ElidingLabel(QStringLiteral("Removing an item keeps the original file safe."), footer);
    m_footerNote->setPixelSize(10);
    m_clockSymbol = new SymbolLabel(QStringLiteral("clock"), 10, footer);
    m_clears = new ElidingLabel(QStringLiteral("Clears after 24 hours"), footer);
    m_clears->setPixelSize(10);
    m_clears->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *row = new QHBoxLayout(footer);
    row->setContentsMargins(16, 2, 16, 8);
    row->setSpacing(4);
    row->addWidget(m_footerNote, 1);
    row->addWidget(m_clockSymbol);
    row->addWidget(m_clears);
    return footer;
}

void DropShelfView::makeOverlay()
{
    m_overlay = new DashedFrame(this);
    m_overlay->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_overlaySymbol = new SymbolLabel(QStringLiteral("plus.circle.fill"), 15, m_overlay);
    m_overlayText = textLabel(QStringLiteral("Drop anywhere to stage"), 12, m_overlay, QFont::DemiBold);
    auto *column = new QVBoxLayout(m_overlay);
    column->addStretch(1);
    column->addWidget(m_overlaySymbol, 0, Qt::AlignHCenter);
    column->addWidget(m_overlayText);
    column->addStretch(1);
    m_overlay->hide();
}

QList<StagedItemCardView *> DropShelfView::cards() const
{
    return m_list->cards();
}

QString DropShelfView::captionText() const
{
    return m_caption->text();
}

void DropShelfView::chooseFiles()
{
    const QStringList paths = QFileDialog::getOpenFileNames(this, QStringLiteral("Add files"));
    QList<DropItem> items;
    for (const QString &path : paths)
        items.append(DropItem::fromFileUrl(QUrl::fromLocalFile(path)));
    if (!items.isEmpty())
        m_state.shelf().addDropItems(items);
}

void DropShelfView::refresh()
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    const qsizetype count = m_state.shelf().items().size();
    m_caption->setText(CountText::of(count, QStringLiteral("ITEM"), QStringLiteral("ITEMS")) + QStringLiteral(" \u00B7 TODAY"));
    m_caption->setColor(palette.textSecondary);
    m_title->setColor(palette.textPrimary);
    m_clearAll->setVisible(count > 0);
    m_clearAll->setColor(palette.accent);
    m_empty->parentWidget()->setVisible(count == 0);
    m_list->setVisible(count > 0);
    m_empty->setColors(palette.border, QColor());
    m_emptyTexts.at(0)->setStyleSheet(colorRule(palette.textPrimary));
    m_emptyTexts.at(1)->setStyleSheet(colorRule(palette.textSecondary));
    m_choose->setColor(palette.accent);
    m_choose->setOutline(palette.border);
    m_list->strip().setColors(palette.border, QColor());
    m_stripSymbol->setColor(palette.textMuted);
    m_stripText->setStyleSheet(colorRule(palette.textMuted));
    m_footerNote->setColor(palette.textMuted);
    m_clockSymbol->setColor(palette.textMuted);
    m_clears->setColor(palette.textMuted);
    m_overlay->setColors(palette.accent, withAlpha(palette.panelBackground, 0.92));
    m_overlaySymbol->setColor(palette.accent);
    m_overlayText->setStyleSheet(colorRule(palette.accent));
    update();
}

void DropShelfView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_hasAppeared) {
        m_hasAppeared = true;
        seedSampleDropShelfIfNeeded(m_state.shelf(), m_store);
    }
}

void DropShelfView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_overlay->setGeometry(rect().adjusted(8, 8, -8, -8));
}

void DropShelfView::setTargeted(bool targeted)
{
    m_isTargeted = targeted;
    m_overlay->setVisible(targeted);
    if (targeted)
        m_overlay->raise();
}

void DropShelfView::dragEnterEvent(QDragEnterEvent *event)
{
    // A card dragged back onto its own shelf would only stage itself again.
    const auto *source = qobject_cast<const QWidget *>(event->source());
    if (!offersSomethingToStage(*event->mimeData()) || (source && isAncestorOf(source))) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    setTargeted(true);
}

void DropShelfView::dragLeaveEvent(QDragLeaveEvent *)
{
    setTargeted(false);
}

void DropShelfView::dropEvent(QDropEvent *event)
{
    setTargeted(false);
    m_stager.stageDrop(*event);
}

void DropShelfView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), OrvaneTheme::palette(m_state.settings().values().currentTheme).panelBackground);
}
