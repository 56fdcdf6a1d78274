#include "app/SocketFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace SocketFolder {

namespace {
const QString socketName = QStringLiteral("orvane.socket");

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Checked through an open descriptor, so that nobody can swap the folder
// between the check and the change of its mode.
std::optional<QString> refusalOfExisting(const Candidate &candidate)
{
    const QByteArray path = QFile::encodeName(candidate.path);
    const int folder = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        if (errno == ELOOP || errno == ENOTDIR)
            return QStringLiteral("it is a symbolic link or not a folder");
        return QStringLiteral("it cannot be opened (%1)").arg(systemError());
    }
    struct stat status {};
    std::optional<QString> problem;
    if (::fstat(folder, &status) != 0)
        problem = QStringLiteral("it cannot be examined (%1)").arg(systemError());
    else if (status.st_uid != ::geteuid())
        problem = QStringLiteral("it belongs to another user (uid %1)").arg(status.st_uid);
    else if ((status.st_mode & 0077) != 0) {
        const bool othersCouldWrite = (status.st_mode & 0022) != 0;
        if (!candidate.isOurs || othersCouldWrite)
            problem = QStringLiteral("others may enter it (mode %1)").arg(status.st_mode & 07777, 4, 8, QLatin1Char('0'));
        else if (::fchmod(folder, 0700) != 0)
            problem = QStringLiteral("its mode cannot be narrowed to 0700 (%1)").arg(systemError());
    }
    ::close(folder);
    return problem;
}
} // namespace

std::optional<QString> refusal(const Candidate &candidate)
{
    const QByteArray socketPath = QFile::encodeName(candidate.path + QLatin1Char('/') + socketName);
    if (socketPath.size() >= qsizetype(sizeof(sockaddr_un::sun_path)))
        return QStringLiteral("its path is too long for a socket");
    if (candidate.isOurs) {
        QDir().mkpath(QFileInfo(candidate.path).path());
        if (::mkdir(QFile::encodeName(candidate.path).constData(), 0700) != 0 && errno != EEXIST)
            return QStringLiteral("it cannot be created (%1)").arg(systemError());
    }
    return refusalOfExisting(candidate);
}

Choice choose(const QList<Candidate> &candidates)
{
    Choice choice;
    for (const Candidate &candidate : candidates) {
        const std::optional<QString> problem = refusal(candidate);
        if (!problem) {
            choice.folder = candidate.path;
            break;
        }
        choice.refusals.append(QStringLiteral("Not using %1 for Orvane's socket: %2.").arg(candidate.path, *problem));
    }
    return choice;
}

QList<Candidate> candidates()
{
    QList<Candidate> list;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        list.append({runtime, false});
    list.append({QDir::tempPath() + QStringLiteral("/orvane-%1").arg(::geteuid()), true});
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        list.append({cache + QStringLiteral("/Orvane/socket-") + QSysInfo::machineHostName(), true});
    return list;
}

} // namespace SocketFolder
