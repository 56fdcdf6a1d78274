#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QWidget>

namespace Elision {
// The narrowest a line of text gives way to: three "…" wide, or less when
// the text itself is shorter.
int minimumWidth(const QFontMetrics &metrics, const QString &text);
// Whether the text is wider than `width` and so shows cut, ending in "…".
bool isCut(const QFontMetrics &metrics, const QString &text, int width);
} // namespace Elision

// One line of text that gives way when space is short, ending in "…"
// instead of being cut off; the whole text stays its accessible name and,
// when cut, its tooltip.
class ElidingLabel final : public QWidget
{
    Q_OBJECT

public:
    explicit ElidingLabel(const QString &text = QString(), QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    void setColor(const QColor &color);
    void setPixelSize(int pixelSize, QFont::Weight weight = QFont::Normal);
    void setAlignment(Qt::Alignment alignment);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateToolTip();

    QString m_text;
    QColor m_color;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
};
