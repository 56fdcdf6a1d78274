#include "input/DBusMenuExporter.h"

#include <QAction>
#include <QActionEvent>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>

namespace {

// (ia{sv}av): a row with its properties and, for the root, its rows.
struct DBusMenuLayoutNode
{
    int id = 0;
    QVariantMap properties;
    QList<QDBusVariant> children;
};

// (ia{sv})
struct DBusMenuItemProperties
{
    int id = 0;
    QVariantMap properties;
};

// (ias)
struct DBusMenuItemRemovedKeys
{
    int id = 0;
    QStringList names;
};

// (isvu)
struct DBusMenuItemEvent
{
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};

} // namespace

Q_DECLARE_METATYPE(DBusMenuLayoutNode)
Q_DECLARE_METATYPE(DBusMenuItemProperties)
Q_DECLARE_METATYPE(DBusMenuItemRemovedKeys)
Q_DECLARE_METATYPE(DBusMenuItemEvent)

namespace {

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuLayoutNode &node)
{
    argument.beginStructure();
    argument << node.id << node.properties;
    argument.beginArray(QMetaType::fromType<QDBusVariant>());
    for (const QDBusVariant &child : node.children)
        argument << child;
    argument.endArray();
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuLayoutNode &node)
{
    argument.beginStructure();
    argument >> node.id >> node.properties;
    argument.beginArray();
    node.children.clear();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        node.children.append(child);
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemProperties &item)
{
    argument.beginStructure();
    argument << item.id << item.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemProperties &item)
{
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemRemovedKeys &item)
{
    argument.beginStructure();
    argument << item.id << item.names;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemRemovedKeys &item)
{
    argument.beginStructure();
    argument >> item.id >> item.names;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemEvent &event)
{
    argument.beginStructure();
    argument << event.id << event.eventId << event.data << event.timestamp;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemEvent &event)
{
    argument.beginStructure();
    argument >> event.id >> event.eventId >> event.data >> event.timestamp;
    argument.endStructure();
    return argument;
}

void registerTypes()
{
    qDBusRegisterMetaType<DBusMenuLayoutNode>();
    qDBusRegisterMetaType<DBusMenuItemProperties>();
    qDBusRegisterMetaType<QList<DBusMenuItemProperties>>();
    qDBusRegisterMetaType<DBusMenuItemRemovedKeys>();
    qDBusRegisterMetaType<QList<DBusMenuItemRemovedKeys>>();
    qDBusRegisterMetaType<DBusMenuItemEvent>();
    qDBusRegisterMetaType<QList<DBusMenuItemEvent>>();
    qDBusRegisterMetaType<QList<QStringList>>();
}

// Qt marks a mnemonic with "&" ("&&" is an ampersand); the host with "_".
QString hostLabel(const QString &text)
{
    QString label;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                label.append(QLatin1Char('&'));
                ++i;
            } else if (i + 1 < text.size()) {
                label.append(QLatin1Char('_'));
            }
        } else if (c == QLatin1Char('_')) {
            label.append(QLatin1String("__"));
        } else {
            label.append(c);
        }
    }
    return label;
}

// The host's form of a key: its modifiers by name, then the key, one list
// per combination of the sequence.
QList<QStringList> hostShortcut(const QKeySequence &sequence)
{
    QList<QStringList> combinations;
    for (int i = 0; i < sequence.count(); ++i) {
        const QKeyCombination combination = sequence[i];
        QStringList keys;
        const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
        if (modifiers & Qt::ControlModifier)
            keys << QStringLiteral("Control");
        if (modifiers & Qt::AltModifier)
            keys << QStringLiteral("Alt");
        if (modifiers & Qt::ShiftModifier)
            keys << QStringLiteral("Shift");
        if (modifiers & Qt::MetaModifier)
            keys << QStringLiteral("Super");
        keys << QKeySequence(combination.key()).toString(QKeySequence::PortableText);
        combinations.append(keys);
    }
    return combinations;
}

QVariantMap onlyThese(const QVariantMap &properties, const QStringList &names)
{
    if (names.isEmpty())
        return properties;
    QVariantMap chosen;
    for (const QString &name : names) {
        if (properties.contains(name))
            chosen.insert(name, properties.value(name));
    }
    return chosen;
}

} // namespace

// The D-Bus face of the exporter, in the names the protocol gives.
class DBusMenuAdaptor final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    explicit DBusMenuAdaptor(DBusMenuExporter &exporter) : QDBusAbstractAdaptor(&exporter), m_exporter(exporter)
    {
        connect(&exporter, &DBusMenuExporter::layoutUpdated, this, &DBusMenuAdaptor::LayoutUpdated);
    }

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames, DBusMenuLayoutNode &layout)
    {
        layout.id = parentId;
        layout.properties = onlyThese(m_exporter.properties(parentId), propertyNames);
        if (parentId == DBusMenuExporter::rootId && recursionDepth != 0) {
            for (const int id : m_exporter.rowIds()) {
                const DBusMenuLayoutNode row{id, onlyThese(m_exporter.properties(id), propertyNames), {}};
                layout.children.append(QDBusVariant(QVariant::fromValue(row)));
            }
        }
        return m_exporter.revision();
    }

    QList<DBusMenuItemProperties> GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames)
    {
        QList<DBusMenuItemProperties> items;
        for (const int id : ids)
            items.append({id, onlyThese(m_exporter.properties(id), propertyNames)});
        return items;
    }

    QDBusVariant GetProperty(int id, const QString &name) { return QDBusVariant(m_exporter.properties(id).value(name)); }

    void Event(int id, const QString &eventId, const QDBusVariant &, uint)
    {
        if (eventId == QLatin1String("clicked"))
            m_exporter.activate(id);
    }

    QList<int> EventGroup(const QList<DBusMenuItemEvent> &events)
    {
        QList<int> unknown;
        for (const DBusMenuItemEvent &event : events) {
            if (event.eventId == QLatin1String("clicked") && !m_exporter.activate(event.id))
                unknown.append(event.id);
        }
        return unknown;
    }

    bool AboutToShow(int id) { return id == DBusMenuExporter::rootId && m_exporter.prepareToShow(); }

    QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
    {
        idErrors.clear();
        if (ids.contains(DBusMenuExporter::rootId) && m_exporter.prepareToShow())
            return {DBusMenuExporter::rootId};
        return {};
    }

Q_SIGNALS:
    void ItemsPropertiesUpdated(const QList<DBusMenuItemProperties> &updated,
                                const QList<DBusMenuItemRemovedKeys> &removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    DBusMenuExporter &m_exporter;
};

DBusMenuExporter::DBusMenuExporter(QMenu &menu, QObject *parent) : QObject(parent), m_menu(menu)
{
    registerTypes();
    new DBusMenuAdaptor(*this);
    m_menu.installEventFilter(this);
}

bool DBusMenuExporter::publish(QDBusConnection &connection, const QString &path)
{
    return connection.registerObject(path, this);
}

QList<int> DBusMenuExporter::rowIds()
{
    QList<int> ids;
    for (QAction *action : m_menu.actions())
        ids.append(idFor(action));
    return ids;
}

QVariantMap DBusMenuExporter::properties(int id) const
{
    if (id == rootId)
        return {{QStringLiteral("children-display"), QStringLiteral("submenu")}};
    const QAction *action = actionFor(id);
    if (!action)
        return {};
    if (action->isSeparator())
        return {{QStringLiteral("type"), QStringLiteral("separator")}};
    QVariantMap properties{{QStringLiteral("label"), hostLabel(action->text())}};
    if (!action->isEnabled())
        properties.insert(QStringLiteral("enabled"), false);
    if (!action->isVisible())
        properties.insert(QStringLiteral("visible"), false);
    if (!action->shortcut().isEmpty())
        properties.insert(QStringLiteral("shortcut"), QVariant::fromValue(hostShortcut(action->shortcut())));
    return properties;
}

bool DBusMenuExporter::prepareToShow()
{
    const quint32 known = m_revision;
    Q_EMIT aboutToShow();
    announceChange();
    return m_revision != known;
}

bool DBusMenuExporter::activate(int id)
{
    QAction *action = actionFor(id);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

bool DBusMenuExporter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ActionRemoved:
        m_ids.remove(static_cast<QActionEvent *>(event)->action());
        [[fallthrough]];
    case QEvent::ActionAdded:
    case QEvent::ActionChanged:
        if (!m_changePending) {
            m_changePending = true;
            // One announcement for a whole rebuild of the menu.
            QMetaObject::invokeMethod(this, &DBusMenuExporter::announceChange, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void DBusMenuExporter::announceChange()
{
    if (!m_changePending)
        return;
    m_changePending = false;
    ++m_revision;
    Q_EMIT layoutUpdated(m_revision, rootId);
}

QAction *DBusMenuExporter::actionFor(int id) const
{
    return m_ids.key(id, nullptr);
}

int DBusMenuExporter::idFor(QAction *action)
{
    auto found = m_ids.constFind(action);
    if (found == m_ids.constEnd())
        found = m_ids.insert(action, m_nextId++);
    return found.value();
}

#include "DBusMenuExporter.moc"
