#pragma once

#include <QDBusVirtualObject>
#include <QMap>
#include <QString>

// The desktop's GlobalShortcuts portal on the test's session bus, as a
// Wayland desktop offers it: sessions, one binding of shortcuts per session
// (every one asked for is granted), and presses sent when the test says.
class FakeShortcutsPortal final : public QDBusVirtualObject
{
    Q_OBJECT

public:
    // Registers the service; false when the bus refused it.
    bool registerOnSessionBus();
    ~FakeShortcutsPortal() override;

    // The shortcuts of the last binding, id to preferred trigger.
    QMap<QString, QString> boundShortcuts() const { return m_bound; }
    int bindings() const { return m_bindings; }
    // The user pressing the keys bound to `id`.
    void press(const QString &id);

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    QMap<QString, QString> m_bound;
    QString m_session;
    int m_bindings = 0;
};
