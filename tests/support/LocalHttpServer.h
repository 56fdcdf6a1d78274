#pragma once

#include <QByteArray>
#include <QHash>
#include <QTcpServer>
#include <QUrl>

// A tiny HTTP/1.1 server on 127.0.0.1 that answers each path with a canned
// reply, so network code is tested without the internet.
class LocalHttpServer final : public QObject
{
    Q_OBJECT

public:
    struct Reply
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        // Extra header lines, such as "Location: /next".
        QByteArrayList headers;
        // How long the server waits before it answers.
        int delayMs = 0;
        // A transfer cut off: the body goes as one chunk of its full size,
        // of which only this many bytes are sent before the connection
        // closes, or stalls when `stallAtCut`.
        qint64 cutAt = -1;
        bool stallAtCut = false;
    };

    LocalHttpServer();

    void setReply(const QString &path, const Reply &reply) { m_replies.insert(path, reply); }
    // http://127.0.0.1:<port>
    QUrl address() const;
    int requestCount(const QString &path) const { return m_requests.count(path); }
    // The raw request (request line and headers) last received for the path.
    QByteArray lastRequest(const QString &path) const { return m_rawRequests.value(path); }

private:
    void answer(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QString, Reply> m_replies;
    QStringList m_requests;
    QHash<QString, QByteArray> m_rawRequests;
};
