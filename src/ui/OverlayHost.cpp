#include "ui/OverlayHost.h"

#include "state/SettingsModel.h"
#include "ui/ContentLayout.h"

#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QPainter>
#include <QVariantAnimation>

namespace {
constexpr int fadeMs = 160;
} // namespace

OverlayHost::OverlayHost(const SettingsModel &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_fade(new QGraphicsOpacityEffect(this)), m_fadeAnimation(new QVariantAnimation(this))
{
    setGraphicsEffect(m_fade);
    m_fadeAnimation->setDuration(fadeMs);
    connect(m_fadeAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { m_fade->setOpacity(value.toDouble()); });
    connect(m_fadeAnimation, &QVariantAnimation::finished, this, [this] {
        if (!m_open)
            hide();
    });
    hide();
}

void OverlayHost::setCard(QWidget *card)
{
    delete m_card;
    m_card = card;
    m_card->setParent(this);
    placeCard();
}

void OverlayHost::setOpen(bool open)
{
    if (open == m_open)
        return;
    m_open = open;
    m_fadeAnimation->stop();
    m_fadeAnimation->setStartValue(m_fade->opacity());
    m_fadeAnimation->setEndValue(open ? 1.0 : 0.0);
    if (open) {
        setGeometry(parentWidget()->rect());
        show();
        raise();
        if (m_card)
            m_card->setFocus();
    }
    m_fadeAnimation->start();
}

void OverlayHost::placeCard()
{
    if (!m_card)
        return;
    const QSize size = m_card->sizeHint().boundedTo(this->size() - QSize(24, 24));
    m_card->setGeometry(QRect(QPoint((width() - size.width()) / 2, std::max(12, (height() - size.height()) / 3)), size));
}

void OverlayHost::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeCard();
}

void OverlayHost::paintEvent(QPaintEvent *)
{
    QColor scrim(0, 0, 0);
    scrim.setAlphaF(float(scrimOpacity(m_settings.values().currentTheme)));
    QPainter(this).fillRect(rect(), scrim);
}

void OverlayHost::mousePressEvent(QMouseEvent *event)
{
    if (!m_card || !m_card->geometry().contains(event->position().toPoint()))
        Q_EMIT dismissRequested();
}
