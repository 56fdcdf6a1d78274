#include "platform/qt/PortalHotKeys.h"

#include "platform/qt/PortalRequest.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QTimer>

namespace {

const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

} // namespace


bool PortalHotKeys::isOffered()
{
    return PortalRequest::offers(shortcutsInterface);
}

PortalHotKeys::PortalHotKeys()
{
    PortalShortcut::registerTypes();
}

PortalHotKeys::~PortalHotKeys()
{
    removeHandler();
}

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

void PortalShortcut::registerTypes()
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

QString PortalHotKeys::shortcutId(quint32 id)
{
    return QStringLiteral("hotkey-%1").arg(id);
}

QString PortalHotKeys::triggerFor(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QStringList parts;
    if (modifiers & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (modifiers & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (modifiers & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    if (modifiers & Qt::MetaModifier)
        parts << QStringLiteral("LOGO");
    // Key names are the keyboard's symbol names: lower-case letters, "space".
    parts << (key == Qt::Key_Space ? QStringLiteral("space") : QString(QChar(key)).toLower());
    return parts.join(QLatin1Char('+'));
}

int PortalHotKeys::installHandler(Handlers handlers)
{
    removeHandler();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return 1;
    m_handlers = std::move(handlers);
    m_installed = true;
    bus.connect(PortalRequest::service, PortalRequest::objectPath, shortcutsInterface, QStringLiteral("Activated"), this,
                SLOT(activated(QDBusMessage)));
    const QString sessionToken = PortalRequest::newToken();
    PortalRequest::call(this, shortcutsInterface, QStringLiteral("CreateSession"),
                        {QVariantMap{{QStringLiteral("session_handle_token"), sessionToken}}},
                        [this](uint response, const QVariantMap &results) {
                            if (!m_installed)
                                return;
                            const QVariant handle = results.value(QStringLiteral("session_handle"));
                            m_session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                                              : handle.toString();
                            if (response != 0 || m_session.isEmpty()) {
                                bound(response == 0 ? 2 : response, {});
                                return;
                            }
                            bindWhenReady();
                        });
    return 0;
}

void PortalHotKeys::removeHandler()
{
    if (!m_installed)
        return;
    closeSession();
    QDBusConnection::sessionBus().disconnect(PortalRequest::service, PortalRequest::objectPath, shortcutsInterface,
                                             QStringLiteral("Activated"), this,
                                             SLOT(activated(QDBusMessage)));
    m_installed = false;
    m_handlers = {};
    m_shortcuts.clear();
    m_bindAsked = false;
}

void PortalHotKeys::closeSession()
{
    if (m_session.isEmpty())
        return;
    QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
        PortalRequest::service, m_session, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    m_session.clear();
}

bool PortalHotKeys::registerHotKey(quint32 id, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &description)
{
    // A session binds its shortcuts once: those asked for later would need a session of their own.
    if (!m_installed || m_bindAsked)
        return false;
    m_shortcuts.append({id, triggerFor(key, modifiers), description});
    if (!m_bindScheduled) {
        // The manager registers its combinations in one go; they are bound together.
        m_bindScheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_bindScheduled = false;
            bindWhenReady();
        });
    }
    return true;
}

void PortalHotKeys::unregisterHotKey(quint32 id)
{
    m_shortcuts.removeIf([id](const Shortcut &shortcut) { return shortcut.id == id; });
}

void PortalHotKeys::bindWhenReady()
{
    if (m_session.isEmpty() || m_bindScheduled || m_bindAsked || m_shortcuts.isEmpty())
        return;
    m_bindAsked = true;
    QList<PortalShortcut> shortcuts;
    for (const Shortcut &shortcut : std::as_const(m_shortcuts)) {
        shortcuts.append({shortcutId(shortcut.id),
                          {{QStringLiteral("description"), shortcut.description},
                           {QStringLiteral("preferred_trigger"), shortcut.trigger}}});
    }
    PortalRequest::call(this, shortcutsInterface, QStringLiteral("BindShortcuts"),
                        {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcuts), QString(),
                         QVariantMap()},
                        [this](uint response, const QVariantMap &results) { bound(response, results); });
}

void PortalHotKeys::bound(uint response, const QVariantMap &results)
{
    QList<PortalShortcut> granted;
    if (response == 0)
        qvariant_cast<QDBusArgument>(results.value(QStringLiteral("shortcuts"))) >> granted;
    for (const Shortcut &shortcut : std::as_const(m_shortcuts)) {
        const bool held = std::any_of(granted.cbegin(), granted.cend(), [&shortcut](const PortalShortcut &entry) {
            return entry.id == shortcutId(shortcut.id);
        });
        if (!held && m_handlers.regrabbed)
            m_handlers.regrabbed(shortcut.id, false);
    }
}

void PortalHotKeys::activated(const QDBusMessage &signal)
{
    // (o session, s shortcut, t timestamp, a{sv} options)
    const QVariantList arguments = signal.arguments();
    if (arguments.size() < 2 || qvariant_cast<QDBusObjectPath>(arguments.at(0)).path() != m_session || !m_handlers.pressed)
        return;
    const QString shortcut = arguments.at(1).toString();
    for (const Shortcut &candidate : std::as_const(m_shortcuts)) {
        if (shortcutId(candidate.id) == shortcut) {
            m_handlers.pressed(candidate.id);
            return;
        }
    }
}
