#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// The desktop portal's file chooser and address opener on the test's session
// bus. It has a bus connection of its own, so the application's calls travel
// the bus as they would to a real portal.
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

    QDBusObjectPath openFile(const QString &title, const QVariantMap &options, const QDBusMessage &message);
    QDBusObjectPath openUri(const QString &uri, const QVariantMap &options, const QDBusMessage &message);

private:
    QDBusConnection m_bus;
    bool m_registered = false;
    std::optional<Choice> m_pending;
    QStringList m_openedUris;
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
