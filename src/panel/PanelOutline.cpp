#include "panel/PanelOutline.h"

#include "panel/PanelGeometry.h"
#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QPainter>

PanelOutline::PanelOutline(const SettingsModel &settings, bool translucent, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_translucent(translucent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&m_settings, &SettingsModel::changed, this, qOverload<>(&QWidget::update));
}

void PanelOutline::setDocking(Qt::Edge dockedEdge, bool detached)
{
    m_dockedEdge = dockedEdge;
    m_detached = detached;
    update();
}

QPainterPath PanelOutline::path() const
{
    const ScreenDockEdge edge = m_dockedEdge == Qt::LeftEdge ? ScreenDockEdge::Left : ScreenDockEdge::Right;
    return PanelGeometry::outline(QSizeF(size()), edge, m_detached);
}

void PanelOutline::paintEvent(QPaintEvent *)
{
    const ThemePalette &palette = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath outline = path();
    if (m_translucent) {
        QPainterPath outside;
        outside.addRect(QRectF(rect()));
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillPath(outside.subtracted(outline), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    painter.setPen(QPen(palette.panelBorder, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline.translated(0.5, 0.5));
}
