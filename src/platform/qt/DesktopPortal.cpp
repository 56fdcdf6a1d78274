#include "platform/qt/DesktopPortal.h"

#include "platform/qt/PortalRequest.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

// The portal's filter: a name and its patterns, "(sa(us))" on the bus.
struct PortalFilter
{
    QString name;
    QList<AcceptedFileTypes::Pattern> patterns;
};
Q_DECLARE_METATYPE(AcceptedFileTypes::Pattern)
Q_DECLARE_METATYPE(PortalFilter)

QDBusArgument &operator<<(QDBusArgument &out, const AcceptedFileTypes::Pattern &pattern)
{
    out.beginStructure();
    out << uint(pattern.kind) << pattern.text;
    out.endStructure();
    return out;
}

const QDBusArgument &operator>>(const QDBusArgument &in, AcceptedFileTypes::Pattern &pattern)
{
    uint kind = 0;
    in.beginStructure();
    in >> kind >> pattern.text;
    in.endStructure();
    pattern.kind = AcceptedFileTypes::Pattern::Kind(kind);
    return in;
}

QDBusArgument &operator<<(QDBusArgument &out, const PortalFilter &filter)
{
    out.beginStructure();
    out << filter.name << filter.patterns;
    out.endStructure();
    return out;
}

const QDBusArgument &operator>>(const QDBusArgument &in, PortalFilter &filter)
{
    in.beginStructure();
    in >> filter.name >> filter.patterns;
    in.endStructure();
    return in;
}

namespace {

// How long the portal has to take a request before Qt's route stands in.
constexpr int callTimeoutMs = 5000;

QString parentWindowOf(QWidget *widget)
{
    if (!widget || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:") + QString::number(widget->window()->winId(), 16);
}

// The page's accepted types first and chosen, every file a choice away, as
// a browser's chooser offers them.
void addFilters(QVariantMap &options, const QList<AcceptedFileTypes::Pattern> &accepted)
{
    if (accepted.isEmpty())
        return;
    qDBusRegisterMetaType<AcceptedFileTypes::Pattern>();
    qDBusRegisterMetaType<QList<AcceptedFileTypes::Pattern>>();
    qDBusRegisterMetaType<PortalFilter>();
    qDBusRegisterMetaType<QList<PortalFilter>>();
    const PortalFilter pageTypes{QObject::tr("Files this site accepts"), accepted};
    const PortalFilter everything{QObject::tr("All files"), {{AcceptedFileTypes::Pattern::Glob, QStringLiteral("*")}}};
    options.insert(QStringLiteral("filters"), QVariant::fromValue(QList<PortalFilter>{pageTypes, everything}));
    options.insert(QStringLiteral("current_filter"), QVariant::fromValue(pageTypes));
}

} // namespace

namespace DesktopPortal {

std::optional<QStringList> chooseFiles(QWidget *parent, const FileRequest &request)
{
    if (!QDBusConnection::sessionBus().isConnected())
        return std::nullopt;
    QEventLoop loop;
    std::optional<uint> response;
    QVariantMap results;
    QVariantMap options{{QStringLiteral("multiple"), request.multiple},
                        {QStringLiteral("directory"), request.directory},
                        {QStringLiteral("modal"), true}};
    if (!request.directory)
        addFilters(options, request.accepted);
    PortalRequest::call(
        &loop, QStringLiteral("org.freedesktop.portal.FileChooser"), QStringLiteral("OpenFile"),
        {parentWindowOf(parent), request.title, options},
        [&](uint code, const QVariantMap &given) {
            response = code;
            results = given;
            loop.quit();
        },
        callTimeoutMs);
    if (!response)
        loop.exec();
    if (*response == PortalRequest::unreachable)
        return std::nullopt;
    QStringList paths;
    if (*response != 0)
        return paths;
    const QStringList uris = results.value(QStringLiteral("uris")).toStringList();
    for (const QString &uri : uris) {
        if (const QUrl url(uri); url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void openUrl(const QUrl &url, QWidget *parent)
{
    PortalRequest::call(
        qApp, QStringLiteral("org.freedesktop.portal.OpenURI"), QStringLiteral("OpenURI"),
        {parentWindowOf(parent), url.toString(QUrl::FullyEncoded), QVariantMap()},
        [url](uint code, const QVariantMap &) {
            if (code == PortalRequest::unreachable)
                QDesktopServices::openUrl(url);
        },
        callTimeoutMs);
}

} // namespace DesktopPortal

