#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

class DBusMenuExporter;
class QMenu;

// Orvane's item in a StatusNotifierItem tray (KDE, GNOME's AppIndicator
// extension, Xfce and most panels today), with its menu over dbusmenu.
// Unlike QSystemTrayIcon it can ask for attention: its status says
// "NeedsAttention" while something waits, and the host marks the item.
class StatusNotifierItem final : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *watcherService = "org.kde.StatusNotifierWatcher";

    StatusNotifierItem(QMenu &menu, const QList<QImage> &icon, const QList<QImage> &attentionIcon,
                       QObject *parent = nullptr);
    ~StatusNotifierItem() override;

    // Whether a tray that shows such items is running.
    static bool isHostRunning();
    // Takes a name on the session bus, offers the item and its menu there
    // and tells the tray; false when the bus refused.
    bool publish();
    // A tray that started (again) after the item was published learns of it.
    void registerWithHost();

    void setToolTip(const QString &text);
    void setNeedsAttention(bool needsAttention);

    QString serviceName() const { return m_serviceName; }
    QString toolTip() const { return m_toolTip; }
    QString status() const;
    const QList<QImage> &icon() const { return m_icon; }
    const QList<QImage> &attentionIcon() const { return m_attentionIcon; }
    void popUpMenu(int x, int y);

Q_SIGNALS:
    void activated();
    // The menu should be made anew: the tray is about to show it.
    void menuAboutToShow();
    void toolTipChanged();
    void statusChanged(const QString &status);

private:
    QMenu &m_menu;
    DBusMenuExporter *m_menuExporter;
    QList<QImage> m_icon;
    QList<QImage> m_attentionIcon;
    QString m_serviceName;
    QString m_toolTip;
    bool m_needsAttention = false;
};
