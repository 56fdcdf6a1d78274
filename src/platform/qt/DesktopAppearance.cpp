#include "platform/qt/DesktopAppearance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceNamespace = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
// Start-up waits at most this long for an answer from the desktop.
constexpr int answerTimeoutMs = 300;
} // namespace

DesktopAppearance::DesktopAppearance()
{
    if (const auto portal = readPortal())
        m_isDark = *portal;
    else if (const auto gnome = readGnomeColorScheme())
        m_isDark = *gnome;
    else
        m_isDark = readGtkTheme();

    QDBusConnection::sessionBus().connect(portalService, portalPath, portalInterface,
                                          QStringLiteral("SettingChanged"), this,
                                          SLOT(onPortalSettingChanged(QString, QString, QDBusVariant)));
}

void DesktopAppearance::setChangeHandler(std::function<void()> handler)
{
    m_changeHandler = std::move(handler);
}

std::optional<bool> DesktopAppearance::darkFromPortalValue(const QVariant &value)
{
    QVariant inner = value;
    while (inner.canConvert<QDBusVariant>() && inner.typeId() == qMetaTypeId<QDBusVariant>())
        inner = inner.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = inner.toUInt(&ok);
    return ok ? std::optional(scheme == 1) : std::nullopt;
}

bool DesktopAppearance::darkFromGtkThemeName(const QString &themeName)
{
    return themeName.contains(QLatin1String("-dark"), Qt::CaseInsensitive)
        || themeName.endsWith(QLatin1String(":dark"), Qt::CaseInsensitive);
}

void DesktopAppearance::onPortalSettingChanged(const QString &nameSpace, const QString &key, const QDBusVariant &value)
{
    if (nameSpace != appearanceNamespace || key != colorSchemeKey)
        return;
    const auto dark = darkFromPortalValue(QVariant::fromValue(value));
    if (!dark)
        return;
    m_isDark = *dark;
    if (m_changeHandler)
        m_changeHandler();
}

std::optional<bool> DesktopAppearance::readPortal()
{
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, portalInterface, QStringLiteral("Read"));
    call << appearanceNamespace << colorSchemeKey;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, answerTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return darkFromPortalValue(reply.arguments().constFirst());
}

std::optional<bool> DesktopAppearance::readGnomeColorScheme()
{
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"), colorSchemeKey});
    if (!process.waitForFinished(answerTimeoutMs) || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(answerTimeoutMs);
        return std::nullopt;
    }
    const QByteArray answer = process.readAllStandardOutput().trimmed();
    if (answer.isEmpty())
        return std::nullopt;
    return answer.contains("prefer-dark");
}

bool DesktopAppearance::readGtkTheme()
{
    const QString fromEnvironment = qEnvironmentVariable("GTK_THEME");
    if (!fromEnvironment.isEmpty())
        return darkFromGtkThemeName(fromEnvironment);
    const QString settingsFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/gtk-3.0/settings.ini");
    if (!QFile::exists(settingsFile))
        return false;
    const QSettings gtk(settingsFile, QSettings::IniFormat);
    return gtk.value(QStringLiteral("Settings/gtk-application-prefer-dark-theme")).toBool()
        || darkFromGtkThemeName(gtk.value(QStringLiteral("Settings/gtk-theme-name")).toString());
}
