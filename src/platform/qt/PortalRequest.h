#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

// One call of a desktop portal method that answers later, through the
// Response signal of a Request object. The signal is subscribed to before the
// call, on the path the portal derives from our bus name and a token of ours,
// so that an answer quicker than the call's own reply is not missed.
class PortalRequest final : public QObject
{
    Q_OBJECT

public:
    static const QString service;
    static const QString objectPath;

    // The portal's answer: 0 granted, 1 cancelled by the user, 2 anything else
    // (also the portal going away before answering), with the method's results;
    // `unreachable` when the call itself failed: no portal offers the method.
    using Answered = std::function<void(uint response, const QVariantMap &results)>;
    static constexpr uint unreachable = 0xFFFFFFFF;

    // Calls `method` of `interface` with `arguments`, whose last one must be
    // the options map (a "handle_token" is added to it). `answered` runs once,
    // unless `context` is gone by then. A portal that does not take the call
    // within `timeoutMs` counts as unreachable.
    static void call(QObject *context, const QString &interface, const QString &method, QVariantList arguments,
                     Answered answered, int timeoutMs = -1);

    // Whether the session bus has the portal running or can start it, and it
    // offers `interface`. Blocks for at most a short bound.
    static bool offers(const QString &interface);

    // "orvane_7", unique within this run: a valid last element of an object path.
    static QString newToken();
    // Where the portal puts the Request object of a call given `token`.
    static QString requestPath(const QString &token);

private Q_SLOTS:
    void response(uint response, const QVariantMap &results);

private:
    PortalRequest(QObject *context, QString path, Answered answered);
    void follow(const QString &path);
    void finish(uint response, const QVariantMap &results);

    QString m_path;
    Answered m_answered;
    bool m_done = false;
};
