#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalSocket;
class QLockFile;

// One Orvane per user: a second start hands its URLs (or, without any, a
// request to show the panel) to the running one over a local socket that
// only the same user can reach, and waits until they have been carried out.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // Tells the start that handed the URLs over that they have been carried
    // out, or why not (`refusal`, one line; empty when all were carried
    // out); call it once, after the commands have run.
    using Acknowledge = std::function<void(const QString &refusal)>;
    // Runs before each answer: writes what the commands changed, and gives
    // why that failed (empty when it did not).
    using SaveChanges = std::function<QString()>;

    enum class Delivery {
        NobodyListening,
        Done, // carried out and saved
        Failed, // refused or not saved: `problem` says why
    };
    struct HandOffResult
    {
        Delivery delivery = Delivery::NobodyListening;
        QString problem;
    };

    enum class Role {
        Running, // the socket is ours
        AnotherIsRunning, // another start holds the lock: hand over to it
        WithoutHandOff, // no usable socket; why has been written to standard error
    };

    SingleInstance();
    ~SingleInstance() override;

    // Sends the URLs to a running instance and waits (a few seconds at most)
    // for its answer.
    static HandOffResult handOff(const QStringList &urls);
    Role listen();
    void setSaveChanges(SaveChanges save) { m_saveChanges = std::move(save); }
    // Until this is called, other starts wait in the queue: their commands
    // need the services that the launch sequence creates.
    void startAnswering();

    // Empty when no folder is private enough to hold it.
    static QString socketPath();

Q_SIGNALS:
    // The URLs another start was given; none means "show the panel".
    void urlsReceived(const QStringList &urls, const SingleInstance::Acknowledge &acknowledge);

private:
    bool lock(const QString &socket);
    bool clearSocketPath(const QString &path);
    void acceptPending();
    struct Incoming
    {
        QByteArray bytes;
        bool isRead = false;
    };
    void readFrame(QLocalSocket *socket, Incoming &incoming);
    Acknowledge acknowledgement(QLocalSocket *socket);

    QLocalServer m_server;
    std::unique_ptr<QLockFile> m_lock;
    SaveChanges m_saveChanges;
    bool m_answering = false;
};
