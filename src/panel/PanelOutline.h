#pragma once

#include <QWidget>

class SettingsModel;

// Drawn over the panel's content: the outline stroked in the theme's border
// colour, and, where a compositor runs, everything outside it cleared so that
// the rounded corners show what lies behind the panel.
class PanelOutline final : public QWidget
{
    Q_OBJECT

public:
    PanelOutline(const SettingsModel &settings, bool translucent, QWidget *parent);

    void setDocking(Qt::Edge dockedEdge, bool detached);
    QPainterPath path() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsModel &m_settings;
    const bool m_translucent;
    Qt::Edge m_dockedEdge = Qt::RightEdge;
    bool m_detached = false;
};
