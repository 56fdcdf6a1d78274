#pragma once

#include <QColor>
#include <QWidget>

// A rounded area outlined with dashes, where something may be dropped: the
// empty shelf, the "DROP TO ADD" strip and the overlay shown while a drag
// hovers. Its contents are laid out by its owner.
class DashedFrame final : public QWidget
{
    Q_OBJECT

public:
    explicit DashedFrame(QWidget *parent = nullptr);

    void setColors(const QColor &outline, const QColor &fill);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_outline;
    QColor m_fill;
};
