#include "input/StatusNotifierItem.h"

#include "input/DBusMenuExporter.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QMenu>
#include <QtEndian>

namespace {

const QString itemPath = QStringLiteral("/StatusNotifierItem");
const QString menuPath = QStringLiteral("/MenuBar");

// (iiay): one size of a picture, ARGB in network byte order.
struct DBusPixmap
{
    int width = 0;
    int height = 0;
    QByteArray pixels;
};

// (sa(iiay)ss)
struct DBusToolTip
{
    QString iconName;
    QList<DBusPixmap> icon;
    QString title;
    QString text;
};

} // namespace

Q_DECLARE_METATYPE(DBusPixmap)
Q_DECLARE_METATYPE(DBusToolTip)

namespace {

QDBusArgument &operator<<(QDBusArgument &argument, const DBusPixmap &pixmap)
{
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.pixels;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusPixmap &pixmap)
{
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.pixels;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusToolTip &toolTip)
{
    argument.beginStructure();
    argument << toolTip.iconName << toolTip.icon << toolTip.title << toolTip.text;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusToolTip &toolTip)
{
    argument.beginStructure();
    argument >> toolTip.iconName >> toolTip.icon >> toolTip.title >> toolTip.text;
    argument.endStructure();
    return argument;
}

QList<DBusPixmap> dbusPixmaps(const QList<QImage> &sizes)
{
    QList<DBusPixmap> pixmaps;
    for (const QImage &size : sizes) {
        const QImage argb = size.convertToFormat(QImage::Format_ARGB32);
        QByteArray pixels(argb.width() * argb.height() * 4, Qt::Uninitialized);
        auto *out = reinterpret_cast<quint32 *>(pixels.data());
        for (int y = 0; y < argb.height(); ++y) {
            const auto *line = reinterpret_cast<const quint32 *>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                *out++ = qToBigEndian(line[x]);
        }
        pixmaps.append({argb.width(), argb.height(), pixels});
    }
    return pixmaps;
}

} // namespace

// The D-Bus face of the item, in the names the protocol gives.
class StatusNotifierItemAdaptor final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ noName)
    Q_PROPERTY(QList<DBusPixmap> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(QList<DBusPixmap> OverlayIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(QList<DBusPixmap> AttentionIconPixmap READ attentionIconPixmap)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    Q_PROPERTY(DBusToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem &item) : QDBusAbstractAdaptor(&item), m_item(item)
    {
        connect(&item, &StatusNotifierItem::toolTipChanged, this, &StatusNotifierItemAdaptor::NewToolTip);
        connect(&item, &StatusNotifierItem::statusChanged, this, &StatusNotifierItemAdaptor::NewStatus);
    }

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("orvane"); }
    QString title() const { return QStringLiteral("Orvane"); }
    QString status() const { return m_item.status(); }
    int windowId() const { return 0; }
    QString noName() const { return {}; }
    QList<DBusPixmap> noPixmap() const { return {}; }
    QList<DBusPixmap> iconPixmap() const { return dbusPixmaps(m_item.icon()); }
    QList<DBusPixmap> attentionIconPixmap() const { return dbusPixmaps(m_item.attentionIcon()); }
    DBusToolTip toolTip() const { return {{}, {}, m_item.toolTip(), {}}; }
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(menuPath); }

public Q_SLOTS:
    void ContextMenu(int x, int y) { m_item.popUpMenu(x, y); }
    void Activate(int, int) { Q_EMIT m_item.activated(); }
    void SecondaryActivate(int, int) {}
    void Scroll(int, const QString &) {}

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewMenu();
    void NewToolTip();
    void NewStatus(const QString &status);

private:
    StatusNotifierItem &m_item;
};

StatusNotifierItem::StatusNotifierItem(QMenu &menu, const QList<QImage> &icon, const QList<QImage> &attentionIcon,
                                       QObject *parent)
    : QObject(parent),
      m_menu(menu),
      m_menuExporter(new DBusMenuExporter(menu, this)),
      m_icon(icon),
      m_attentionIcon(attentionIcon),
      m_serviceName(QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid()))
{
    qDBusRegisterMetaType<DBusPixmap>();
    qDBusRegisterMetaType<QList<DBusPixmap>>();
    qDBusRegisterMetaType<DBusToolTip>();
    new StatusNotifierItemAdaptor(*this);
    connect(m_menuExporter, &DBusMenuExporter::aboutToShow, this, &StatusNotifierItem::menuAboutToShow);
}

StatusNotifierItem::~StatusNotifierItem()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(itemPath);
    bus.unregisterObject(menuPath);
    bus.unregisterService(m_serviceName);
}

bool StatusNotifierItem::isHostRunning()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()->isServiceRegistered(QLatin1String(watcherService));
}

bool StatusNotifierItem::publish()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerService(m_serviceName) || !bus.registerObject(itemPath, this)
        || !m_menuExporter->publish(bus, menuPath))
        return false;
    registerWithHost();
    return true;
}

void StatusNotifierItem::registerWithHost()
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(watcherService),
                                                       QStringLiteral("/StatusNotifierWatcher"),
                                                       QLatin1String(watcherService),
                                                       QStringLiteral("RegisterStatusNotifierItem"));
    call << m_serviceName;
    // Not waited for: the start goes on while the tray takes the item in.
    QDBusConnection::sessionBus().send(call);
}

void StatusNotifierItem::setToolTip(const QString &text)
{
    if (m_toolTip == text)
        return;
    m_toolTip = text;
    Q_EMIT toolTipChanged();
}

void StatusNotifierItem::setNeedsAttention(bool needsAttention)
{
    if (m_needsAttention == needsAttention)
        return;
    m_needsAttention = needsAttention;
    Q_EMIT statusChanged(status());
}

QString StatusNotifierItem::status() const
{
    return m_needsAttention ? QStringLiteral("NeedsAttention") : QStringLiteral("Active");
}

void StatusNotifierItem::popUpMenu(int x, int y)
{
    m_menu.popup(QPoint(x, y));
}

#include "StatusNotifierItem.moc"
