#pragma once

#include "platform/qt/PortalHotKeys.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMap>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// The desktop portal's file chooser, address opener and global shortcuts on
// the test's session bus. It has a bus connection of its own, so the
// application's calls travel the bus as they would to a real portal.
class FakeDesktopPortal final : public QObject
{
    Q_OBJECT

public:
    struct Choice
    {
        QString title;
        QVariantMap options;
        // The request object the answer is sent from.
        QString handle;
    };

    FakeDesktopPortal();
    ~FakeDesktopPortal() override;

    bool isRegistered() const { return m_registered; }
    // The file choice asked for and not answered yet.
    const std::optional<Choice> &pendingChoice() const { return m_pending; }
    // Response 0 with the files chosen; any other response is a cancellation.
    void answerChoice(uint response, const QStringList &files);
    QStringList openedUris() const { return m_openedUris; }

    // The shortcuts of the last binding, id to preferred trigger; every one
    // asked for is granted.
    QMap<QString, QString> boundShortcuts() const { return m_bound; }
    int bindings() const { return m_bindings; }
    // The user pressing the keys bound to `id`.
    void press(const QString &id);

    QDBusObjectPath openFile(const QString &title, const QVariantMap &options, const QDBusMessage &message);
    QDBusObjectPath openUri(const QString &uri, const QVariantMap &options, const QDBusMessage &message);
    QDBusObjectPath createSession(const QVariantMap &options, const QDBusMessage &message);
    QDBusObjectPath bindShortcuts(const QList<PortalShortcut> &shortcuts, const QVariantMap &options,
                                  const QDBusMessage &message);

private:
    // Answers the request a caller's options name, as the portal does.
    QDBusObjectPath answer(const QDBusMessage &message, const QVariantMap &options, const QVariantMap &results);

    QDBusConnection m_bus;
    bool m_registered = false;
    std::optional<Choice> m_pending;
    QStringList m_openedUris;
    QString m_session;
    QMap<QString, QString> m_bound;
    int m_bindings = 0;
};

class FakeFileChooser final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.FileChooser")

public:
    explicit FakeFileChooser(FakeDesktopPortal *portal) : QDBusAbstractAdaptor(portal), m_portal(portal) {}

public Q_SLOTS:
    QDBusObjectPath OpenFile(const QString &, const QString &title, const QVariantMap &options, const QDBusMessage &message)
    {
        return m_portal->openFile(title, options, message);
    }

private:
    FakeDesktopPortal *m_portal;
};

class FakeOpenUri final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.OpenURI")

public:
    explicit FakeOpenUri(FakeDesktopPortal *portal) : QDBusAbstractAdaptor(portal), m_portal(portal) {}

public Q_SLOTS:
    QDBusObjectPath OpenURI(const QString &, const QString &uri, const QVariantMap &options, const QDBusMessage &message)
    {
        return m_portal->openUri(uri, options, message);
    }

private:
    FakeDesktopPortal *m_portal;
};

class FakeGlobalShortcuts final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

public:
    explicit FakeGlobalShortcuts(FakeDesktopPortal *portal) : QDBusAbstractAdaptor(portal), m_portal(portal) {}
    uint version() const { return 1; }

public Q_SLOTS:
    QDBusObjectPath CreateSession(const QVariantMap &options, const QDBusMessage &message)
    {
        return m_portal->createSession(options, message);
    }
    QDBusObjectPath BindShortcuts(const QDBusObjectPath &, const QList<PortalShortcut> &shortcuts, const QString &,
                                  const QVariantMap &options, const QDBusMessage &message)
    {
        return m_portal->bindShortcuts(shortcuts, options, message);
    }

private:
    FakeDesktopPortal *m_portal;
};
