#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>

#include <memory>

class QLockFile;

// One Orvane per user: a second start hands its URLs (or, without any, a
// request to show the panel) to the running one over a local socket that
// only the same user can reach.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    SingleInstance();
    ~SingleInstance() override;

    // Sends the URLs to a running instance; false when none is running.
    static bool handOff(const QStringList &urls);
    // Becomes the running instance; false when another one got there first
    // (its URLs then went to it through handOff).
    bool listen();

    static QString socketPath();

Q_SIGNALS:
    // The URLs another start was given; none means "show the panel".
    void urlsReceived(const QStringList &urls);

private:
    void accept();

    QLocalServer m_server;
    std::unique_ptr<QLockFile> m_lock;
};
