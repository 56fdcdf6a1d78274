#pragma once

#include "platform/GlobalHotKeys.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QMetaType>
#include <QVariantMap>

class QDBusArgument;
class QDBusMessage;

// One shortcut as the portal takes and gives them (the D-Bus type sa{sv}):
// an id of ours, and its "description", "preferred_trigger" or, in answers,
// "trigger_description".
struct PortalShortcut
{
    QString id;
    QVariantMap properties;

    static void registerTypes();
};
QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut);
const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut);
Q_DECLARE_METATYPE(PortalShortcut)

// System-wide combinations through the desktop's GlobalShortcuts portal, for
// Wayland sessions: there an X client's key grabs see only the presses sent
// to X windows. The portal binds a session's shortcuts once, asynchronously,
// and may let the user pick other keys, so a combination counts as held when
// asked for; those missing from the portal's answer are reported refused.
class PortalHotKeys final : public QObject, public GlobalHotKeys
{
    Q_OBJECT

public:
    static bool isOffered();

    PortalHotKeys();
    ~PortalHotKeys() override;

    int installHandler(Handlers handlers) override;
    void removeHandler() override;
    bool registerHotKey(quint32 id, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &description) override;
    void unregisterHotKey(quint32 id) override;

    // "ALT+space", as the portal's preferred triggers are written.
    static QString triggerFor(Qt::Key key, Qt::KeyboardModifiers modifiers);

private Q_SLOTS:
    void activated(const QDBusMessage &signal);

private:
    struct Shortcut
    {
        quint32 id;
        QString trigger;
        QString description;
    };

    void bindWhenReady();
    void bound(uint response, const QVariantMap &results);
    void closeSession();
    static QString shortcutId(quint32 id);

    Handlers m_handlers;
    bool m_installed = false;
    QString m_session;
    bool m_bindScheduled = false;
    bool m_bindAsked = false;
    QList<Shortcut> m_shortcuts;
};
