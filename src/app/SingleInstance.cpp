#include "app/SingleInstance.h"

#include "app/HandOffFrame.h"
#include "app/SocketFolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QSysInfo>
#include <QTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int connectTimeoutMs = 500;
// A start that hands over waits this long for the commands to be carried out;
// the running one may itself still be starting.
constexpr int answerTimeoutMs = 5000;
// A connection that has not sent a whole frame by then is dropped.
constexpr int frameTimeoutMs = 10000;

bool isSameUser(const QLocalSocket &socket)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    return getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0
        && credentials.uid == getuid();
}

void warn(const QString &line)
{
    qWarning().noquote() << QStringLiteral("[Orvane] ") + line;
}

SingleInstance::HandOffResult failure(const QString &problem)
{
    return {SingleInstance::Delivery::Failed, problem};
}
} // namespace

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketPath()
{
    // Chosen once per process, so that its warnings are said once.
    static const QString path = [] {
        const SocketFolder::Choice choice = SocketFolder::choose(SocketFolder::candidates());
        for (const QString &refusal : choice.refusals)
            warn(refusal);
        return choice.folder.isEmpty() ? QString() : choice.folder + QStringLiteral("/orvane.socket");
    }();
    return path;
}

SingleInstance::HandOffResult SingleInstance::handOff(const QStringList &urls)
{
    const QString path = socketPath();
    if (path.isEmpty())
        return {};
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(connectTimeoutMs))
        return {};
    if (!isSameUser(socket))
        return failure(QStringLiteral("%1 is served by another user; nothing was handed over").arg(path));
    const QByteArray frame = HandOffFrame::encode(urls);
    if (frame.isEmpty())
        return failure(QStringLiteral("the arguments are too long to hand over"));
    socket.write(frame);

    const QDeadlineTimer deadline(answerTimeoutMs);
    QByteArray answer;
    while (true) {
        const HandOffFrame::Decoded decoded = HandOffFrame::decode(answer);
        if (decoded.status == HandOffFrame::Status::Complete) {
            if (decoded.strings.isEmpty())
                return {Delivery::Done, {}};
            return failure(decoded.strings.constFirst());
        }
        if (decoded.status == HandOffFrame::Status::Invalid)
            return failure(QStringLiteral("the running Orvane answered in a way this one does not understand"));
        if (!socket.waitForReadyRead(int(deadline.remainingTime()))) {
            if (socket.state() != QLocalSocket::ConnectedState)
                return failure(QStringLiteral("the running Orvane hung up before confirming the command"));
            return failure(QStringLiteral("the running Orvane did not confirm the command within %1 s")
                               .arg(answerTimeoutMs / 1000));
        }
        answer += socket.readAll();
    }
}

SingleInstance::Role SingleInstance::listen()
{
    const QString path = socketPath();
    if (path.isEmpty()) {
        warn(QStringLiteral("No private folder for the single-instance socket: this Orvane runs on its own, and "
                            "later starts cannot hand it their commands."));
        return Role::WithoutHandOff;
    }
    if (!lock(path))
        return m_lock ? Role::AnotherIsRunning : Role::WithoutHandOff;
    // A crash leaves the socket behind; it is removed only once nobody answers on it.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(connectTimeoutMs))
        return Role::AnotherIsRunning;
    if (!clearSocketPath(path))
        return Role::WithoutHandOff;
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(path)) {
        warn(QStringLiteral("Cannot listen on %1 (%2): later starts cannot hand this Orvane their commands.")
                 .arg(path, m_server.errorString()));
        return Role::WithoutHandOff;
    }
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptPending);
    return Role::Running;
}

// Two starts at once must not both decide that nobody is running. False
// when another start holds the lock, or (m_lock reset) when it cannot be taken.
bool SingleInstance::lock(const QString &socket)
{
    m_lock = std::make_unique<QLockFile>(socket + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(2 * connectTimeoutMs))
        return true;
    qint64 pid = 0;
    QString host;
    QString application;
    // The socket's folder belongs to this machine, so a lock naming another
    // one was copied here (a restored backup) and its owner cannot be alive.
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->getLockInfo(&pid, &host, &application)
        && !host.isEmpty() && host != QSysInfo::machineHostName()) {
        warn(QStringLiteral("Removing %1, left by Orvane on the machine \"%2\".").arg(socket + QStringLiteral(".lock"), host));
        if (m_lock->removeStaleLockFile() && m_lock->tryLock(0))
            return true;
    }
    if (m_lock->error() == QLockFile::LockFailedError)
        return false;
    warn(QStringLiteral("Cannot take the lock %1: later starts cannot hand this Orvane their commands.")
             .arg(socket + QStringLiteral(".lock")));
    m_lock.reset();
    return false;
}

// Only a socket is removed: anything else at that path is someone's file.
bool SingleInstance::clearSocketPath(const QString &path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return true;
    if (S_ISSOCK(status.st_mode) && QFile::remove(path))
        return true;
    warn(QStringLiteral("%1 is in the way of Orvane's socket and is left alone; move it away so that later starts "
                        "can hand this Orvane their commands.")
             .arg(path));
    return false;
}

void SingleInstance::startAnswering()
{
    m_answering = true;
    acceptPending();
}

void SingleInstance::acceptPending()
{
    if (!m_answering)
        return;
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!isSameUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto incoming = std::make_shared<Incoming>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, incoming] { readFrame(socket, *incoming); });
        QTimer::singleShot(frameTimeoutMs, socket, [socket, incoming] {
            if (!incoming->isRead) {
                socket->abort();
                socket->deleteLater();
            }
        });
        readFrame(socket, *incoming);
    }
}

// One frame per connection: nothing after it is listened to.
void SingleInstance::readFrame(QLocalSocket *socket, Incoming &incoming)
{
    incoming.bytes += socket->readAll();
    const HandOffFrame::Decoded decoded = HandOffFrame::decode(incoming.bytes);
    if (decoded.status == HandOffFrame::Status::Incomplete)
        return;
    incoming = {QByteArray(), true};
    socket->disconnect(this);
    if (decoded.status == HandOffFrame::Status::Invalid) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    Q_EMIT urlsReceived(decoded.strings, acknowledgement(socket));
}

SingleInstance::Acknowledge SingleInstance::acknowledgement(QLocalSocket *socket)
{
    auto answered = std::make_shared<bool>(false);
    return [self = QPointer(this), peer = QPointer(socket), answered](const QString &refusal) {
        if (*answered)
            return;
        *answered = true;
        QStringList problems;
        if (!refusal.isEmpty())
            problems.append(refusal);
        if (const QString unsaved = self && self->m_saveChanges ? self->m_saveChanges() : QString(); !unsaved.isEmpty())
            problems.append(unsaved);
        // The sender may have given up waiting; the commands have run all the same.
        if (!peer)
            return;
        // The sender says the first string, as one line.
        const QString problem = problems.join(QStringLiteral("; "));
        peer->write(HandOffFrame::encode(problem.isEmpty() ? QStringList() : QStringList{problem}));
        peer->disconnectFromServer();
    };
}
