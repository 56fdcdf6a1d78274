#include "LocalHttpServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

LocalHttpServer::LocalHttpServer()
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl LocalHttpServer::address() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
}

void LocalHttpServer::answer(QTcpSocket *socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = QString::fromLatin1(requestLine.value(1));
    m_requests.append(path);
    m_rawRequests.insert(path, request.left(request.indexOf("\r\n\r\n")));
    const Reply reply = m_replies.value(path, Reply{404, "not found", "text/plain", {}, 0});
    QByteArray response = "HTTP/1.1 " + QByteArray::number(reply.status) + " Reply\r\n";
    response += "Content-Type: " + reply.contentType + "\r\n";
    for (const QByteArray &header : reply.headers)
        response += header + "\r\n";
    if (reply.cutAt < 0) {
        response += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
        response += reply.body;
    } else {
        response += "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
        response += QByteArray::number(reply.body.size(), 16) + "\r\n" + reply.body.left(reply.cutAt);
    }
    QPointer<QTcpSocket> target(socket);
    QTimer::singleShot(reply.delayMs, socket, [target, response, stall = reply.stallAtCut] {
        if (!target)
            return;
        target->write(response);
        if (!stall)
            target->disconnectFromHost();
    });
}
