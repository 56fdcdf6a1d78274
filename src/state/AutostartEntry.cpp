#include "state/AutostartEntry.h"

#include "state/DesktopEntryGroup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

// The Exec key's quoting, then the escaping of every desktop-entry string.
QString execValue(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted = program;
    if (std::any_of(program.cbegin(), program.cend(), [](QChar c) { return reserved.contains(c); })) {
        quoted.clear();
        for (const QChar c : program) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return quoted;
}

// What the XDG autostart rules and GNOME's session manager read as "do not start".
bool turnedOff(QFile &entry)
{
    const QHash<QString, QString> keys = readDesktopEntryGroup(entry);
    return keys.value(QStringLiteral("Hidden")) == QLatin1String("true")
        || keys.value(QStringLiteral("X-GNOME-Autostart-enabled")) == QLatin1String("false");
}

} // namespace

AutostartEntry::AutostartEntry(QString program) : m_program(std::move(program)) {}

QString AutostartEntry::path()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/autostart/orvane.desktop");
}

bool AutostartEntry::isEnabled() const
{
    QFile entry(path());
    return entry.open(QIODevice::ReadOnly) && !turnedOff(entry);
}

bool AutostartEntry::setEnabled(bool enabled)
{
    const QString entryPath = path();
    if (!enabled)
        return !QFileInfo::exists(entryPath) || QFile::remove(entryPath);

    if (!QDir().mkpath(QFileInfo(entryPath).path()))
        return false;
    QSaveFile entry(entryPath);
    if (!entry.open(QIODevice::WriteOnly))
        return false;
    entry.write("[Desktop Entry]\n"
                "Type=Application\n"
                "Name=Orvane\n"
                "Comment=Starts Orvane's side panel when you log in\n"
                "Icon=orvane\n"
                "Terminal=false\n");
    entry.write("Exec=" + execValue(m_program).toUtf8() + '\n');
    return entry.commit();
}
