#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int connectTimeoutMs = 500;

bool isSameUser(const QLocalSocket *socket)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    return getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0
        && credentials.uid == getuid();
}
} // namespace

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketPath()
{
    // The runtime folder is the user's own (mode 0700), so no one else can
    // even reach the socket; the peer check below is a second fence.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/orvane-%1").arg(getuid());
    QDir().mkpath(folder);
    return folder + QStringLiteral("/orvane.socket");
}

bool SingleInstance::handOff(const QStringList &urls)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(urls.join(QLatin1Char('\n')).toUtf8() + '\n');
    socket.flush();
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(connectTimeoutMs);
    return true;
}

bool SingleInstance::listen()
{
    const QString path = socketPath();
    // Two starts at once must not both decide that nobody is running.
    m_lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(2 * connectTimeoutMs))
        return false;
    // A crash leaves the socket file behind; it is removed only once nobody answers on it.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(connectTimeoutMs))
        return false;
    QLocalServer::removeServer(path);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(path))
        return false;
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        if (!isSameUser(socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // The sender writes its URLs and hangs up; they are read once it has.
        const auto finish = [this, socket] {
            QStringList urls;
            const QList<QByteArray> lines = socket->readAll().split('\n');
            for (const QByteArray &line : lines) {
                if (!line.trimmed().isEmpty())
                    urls.append(QString::fromUtf8(line.trimmed()));
            }
            socket->deleteLater();
            Q_EMIT urlsReceived(urls);
        };
        if (socket->state() == QLocalSocket::UnconnectedState)
            finish();
        else
            connect(socket, &QLocalSocket::disconnected, this, finish);
    }
}
