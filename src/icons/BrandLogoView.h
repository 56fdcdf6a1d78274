#pragma once

#include <QWidget>

// Orvane's own logo in a rounded square; a drawn mark when no icon ships.
class BrandLogoView final : public QWidget
{
    Q_OBJECT

public:
    explicit BrandLogoView(double size, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_size;
};
