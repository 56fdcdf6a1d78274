#pragma once

#include "ui/PanelButton.h"
#include <QUrl>

#include <optional>

class AppIconView;
class QNetworkAccessManager;
class QPainter;
class SettingsModel;

// One 38-point slot of the rail: the icon of a tab (or of the scratchpad,
// shelf or settings), an accent bar when active, a snowflake when asleep,
// and an optional count badge. A drag that moves past a few points is
// reported instead of a click, for reordering.
class RailTabButton final : public PanelButton
{
    Q_OBJECT

public:
    static constexpr int slotSize = 38;

    RailTabButton(const SettingsModel &settings, QNetworkAccessManager &network, QWidget *parent = nullptr);

    void setApp(const QString &appId, const QString &title, const QUrl &url, const std::optional<QUrl> &iconURL);
    void setActive(bool active);
    void setSleeping(bool sleeping);
    // Shown as a small badge when above zero.
    void setBadgeCount(qsizetype count);
    // A web tab's unread count: a badge in the accent colour ("9+" beyond
    // nine), dimmed while the tab sleeps, and part of the button's name.
    void setUnreadCount(int count);
    // Tab slots say in their tooltip that they can be reordered.
    void setReorderable(bool reorderable);
    // Drawn lifted while it is being dragged.
    void setLifted(bool lifted);
    bool isActive() const { return m_active; }
    bool isSleeping() const { return m_sleeping; }
    QString title() const { return m_title; }

    QSize sizeHint() const override;

Q_SIGNALS:
    // `travel`: points moved downwards since the press.
    void dragMoved(double travel, bool ctrlHeld);
    void dragFinished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void updateTooltip();
    // The snowflake and the count badge, over the icon.
    void paintMarks(QPainter &painter) const;
    void paintBadge(QPainter &painter, const QString &text, const QColor &fill, const QColor &ink) const;

    const SettingsModel &m_settings;
    AppIconView *m_icon;
    QString m_title;
    bool m_active = false;
    bool m_sleeping = false;
    bool m_lifted = false;
    bool m_reorderable = false;
    qsizetype m_badgeCount = 0;
    int m_unreadCount = 0;
    std::optional<double> m_pressY;
    bool m_dragging = false;
};
