#include "shelf/StagedItemCardView.h"

#include "icons/Symbols.h"
#include "shelf/FileReveal.h"
#include "shelf/ShelfCard.h"
#include "shelf/ThumbnailLoader.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/ElidingLabel.h"
#include "ui/SymbolButton.h"
#include "ui/SymbolTextButton.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDrag>
#include <QHBoxLayout>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

StagedItemCardView::StagedItemCardView(const DropItem &item, AppState &state, Clock &clock,
                                       ThumbnailLoader &thumbnails, QWidget *parent)
    : QWidget(parent)
    , m_item(item)
    , m_state(state)
    , m_thumbnails(thumbnails)
    , m_copied(clock, copyFeedbackSeconds)
    , m_preview(new QWidget(this))
    , m_title(new ElidingLabel(item.title, this))
    , m_size(new ElidingLabel(item.fileSizeString.value_or(QString()), this))
    , m_copy(new SymbolTextButton(QStringLiteral("doc.on.doc"), QString(), this))
    , m_remove(new SymbolButton(state.settings(), QStringLiteral("xmark"), QStringLiteral("Remove from shelf"), this))
{
    setAccessibleName(item.title);
    setAccessibleDescription(rawValue(item.kind));
    setToolTip(QStringLiteral("Drag this card into any app"));
    setCursor(Qt::OpenHandCursor);
    m_preview->setFixedSize(previewSide, previewSide);
    m_preview->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_title->setPixelSize(12, QFont::DemiBold);
    m_size->setPixelSize(10);
    m_size->setVisible(item.fileSizeString.has_value());
    m_copy->setSizes(10, 10, QFont::Medium);
    m_copy->setToolTip(QStringLiteral("Copy content to clipboard"));
    m_copy->setAccessibleName(m_copy->toolTip());
    m_copy->setMinimumHeight(22);
    m_remove->setSymbolSize(9);
    m_remove->setTint(SymbolButton::Tint::Muted);
    m_remove->setFixedSize(22, 22);

    auto *text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(m_title);
    text->addWidget(m_size);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(10, 8, 8, 8);
    row->setSpacing(10);
    row->addWidget(m_preview);
    row->addLayout(text, 1);
    row->addWidget(m_copy);
    const ShelfCard::LinkAction action = ShelfCard::linkAction(item);
    if (action != ShelfCard::LinkAction::None) {
        m_link = new SymbolButton(state.settings(),
                                  action == ShelfCard::LinkAction::Open ? QStringLiteral("safari")
                                                                        : QStringLiteral("arrow.up.right.square"),
                                  ShelfCard::linkActionTooltip(action), this);
        m_link->setSymbolSize(10);
        m_link->setFixedSize(22, 22);
        row->addWidget(m_link);
        connect(m_link, &QAbstractButton::clicked, this, &StagedItemCardView::openOrReveal);
    }
    row->addWidget(m_remove);

    connect(m_copy, &QAbstractButton::clicked, this, &StagedItemCardView::copy);
    connect(m_remove, &QAbstractButton::clicked, this, [this] { m_state.shelf().removeDropItem(m_item.id); });
    connect(&m_copied, &TransientFlag::changed, this, &StagedItemCardView::refresh);
    connect(&state.settings(), &SettingsModel::changed, this, &StagedItemCardView::refresh);
    refresh();
}

void StagedItemCardView::copy()
{
    QApplication::clipboard()->setMimeData(ShelfCard::copyPayload(m_item).release());
    m_copied.raise();
}

void StagedItemCardView::openOrReveal()
{
    if (ShelfCard::linkAction(m_item) == ShelfCard::LinkAction::Open)
        QDesktopServices::openUrl(*m_item.fileURL);
    else
        FileReveal::reveal(*m_item.fileURL);
}

void StagedItemCardView::refresh()
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    m_title->setColor(palette.textPrimary);
    m_size->setColor(palette.textSecondary);
    const bool copied = m_copied.isRaised();
    m_copy->setSymbol(copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"));
    m_copy->setLabel(copied ? QStringLiteral("Copied") : QString());
    m_copy->setColor(copied ? palette.success : palette.textSecondary);
    update();
}

// The picture is asked for only when the card is first seen, so a long shelf
// decodes what is scrolled to.
void StagedItemCardView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_thumbnailRequested || !ShelfCard::showsThumbnail(m_item))
        return;
    m_thumbnailRequested = true;
    const int side = qCeil(previewSide * devicePixelRatioF());
    m_thumbnails.request(m_item.fileURL->toLocalFile(), side, this, [this](const QImage &image) {
        m_thumbnail = image;
        update();
    });
}

void StagedItemCardView::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_state.settings().values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette.border, 1));
    painter.setBrush(palette.fileCardBackground);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

    const QRectF tile = m_preview->geometry();
    QPainterPath rounded;
    rounded.addRoundedRect(tile, 8, 8);
    if (!m_thumbnail.isNull()) {
        painter.setClipPath(rounded);
        painter.drawImage(tile, m_thumbnail);
        painter.setClipping(false);
        return;
    }
    const ShelfCard::Colors colors = ShelfCard::colors(m_item.kind);
    painter.fillPath(rounded, colors.tile);
    const QRectF symbol(tile.center() - QPointF(7, 7), QSizeF(14, 14));
    Symbols::paint(painter, iconName(m_item.kind), symbol, colors.icon);
}

void StagedItemCardView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_pressPosition = event->position().toPoint();
}

void StagedItemCardView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || (event->position().toPoint() - m_pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressed = false;
    auto *drag = new QDrag(this);
    drag->setMimeData(m_item.makeItemProvider());
    drag->setPixmap(grab());
    drag->setHotSpot(m_pressPosition);
    m_isBeingDragged = true;
    drag->exec(Qt::CopyAction);
    m_isBeingDragged = false;
    Q_EMIT dragFinished();
}
