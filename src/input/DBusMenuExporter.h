#pragma once

#include <QHash>
#include <QObject>
#include <QVariantMap>

class QAction;
class QDBusConnection;
class QMenu;

// Offers a flat QMenu to the desktop's tray as a com.canonical.dbusmenu
// object, which is how a StatusNotifierItem host draws an item's menu.
// Each action keeps one id for its lifetime and ids are never reused, so a
// host clicking a row of a menu rebuilt since it asked can reach nothing
// but the row it saw.
class DBusMenuExporter final : public QObject
{
    Q_OBJECT

public:
    static constexpr int rootId = 0;

    explicit DBusMenuExporter(QMenu &menu, QObject *parent = nullptr);

    bool publish(QDBusConnection &connection, const QString &path);

    quint32 revision() const { return m_revision; }
    // The menu as rows: ids in order, with the host's properties of each.
    QList<int> rowIds();
    QVariantMap properties(int id) const;
    // True when making the menu anew for the host changed the rows it knows.
    bool prepareToShow();
    bool activate(int id);

Q_SIGNALS:
    // The menu should be made anew: the host is about to show it.
    void aboutToShow();
    void layoutUpdated(quint32 revision, int parentId);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void announceChange();
    QAction *actionFor(int id) const;
    int idFor(QAction *action);

    QMenu &m_menu;
    QHash<QAction *, int> m_ids;
    int m_nextId = rootId + 1;
    quint32 m_revision = 1;
    bool m_changePending = false;
};
