#pragma once

#include "platform/WebDownloads.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;

// Downloads of both web identities into the desktop's download folder
// (~/Downloads, or what the XDG user directories name).
class QtDownloads final : public QObject, public WebDownloads
{
    Q_OBJECT

public:
    // A page starts at most this many downloads within `boundSeconds`;
    // more are refused, so that no page fills the folder by itself. (The
    // engine does not say which downloads a click started.)
    static constexpr int boundCount = 3;
    static constexpr int boundSeconds = 10;

    explicit QtDownloads(const QList<QWebEngineProfile *> &profiles, QObject *parent = nullptr);

    void setObservers(Observers observers) override { m_observers = std::move(observers); }
    void cancel(quint32 id) override;

private:
    void start(QWebEngineDownloadRequest *download);
    bool withinBound(QWebEnginePage *page);
    // `path`: where the complete file goes.
    void follow(QWebEngineDownloadRequest *download, const QString &path);
    void progressed(QWebEngineDownloadRequest *download);
    void ended(QWebEngineDownloadRequest *download, const QString &path);
    bool isTaken(const QString &folder, const QString &name) const;

    Observers m_observers;
    QHash<quint32, QPointer<QWebEngineDownloadRequest>> m_running;
    QHash<const QWebEnginePage *, QList<QElapsedTimer>> m_recentStarts;
};
