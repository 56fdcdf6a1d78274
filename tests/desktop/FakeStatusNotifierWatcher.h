#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QStringList>

// The tray host's side of StatusNotifierItem on the test's session bus:
// enough for Qt to put its tray icon there, and for the test to find it.
class FakeStatusNotifierWatcher final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    // Registers the service; false when the bus refused it.
    bool registerOnSessionBus();
    ~FakeStatusNotifierWatcher() override;

    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return m_items; }
    // The bus name of the first item that registered.
    QString itemService() const { return m_itemServices.value(0); }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service, const QDBusMessage &message);
    void RegisterStatusNotifierHost(const QString &service);

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
    QStringList m_itemServices;
};
