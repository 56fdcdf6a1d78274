#include "platform/qt/QtDownloads.h"

#include "platform/DownloadName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <algorithm>

namespace {

// What the engine adds to the name while the file is incomplete.
const QString partialSuffix = QStringLiteral(".download");

} // namespace

QtDownloads::QtDownloads(const QList<QWebEngineProfile *> &profiles, QObject *parent) : QObject(parent)
{
    for (QWebEngineProfile *profile : profiles)
        connect(profile, &QWebEngineProfile::downloadRequested, this, &QtDownloads::start);
}

bool QtDownloads::withinBound(QWebEnginePage *page)
{
    if (!m_recentStarts.contains(page) && page)
        connect(page, &QObject::destroyed, this, [this, page] { m_recentStarts.remove(page); });
    QList<QElapsedTimer> &starts = m_recentStarts[page];
    starts.removeIf([](const QElapsedTimer &started) { return started.hasExpired(boundSeconds * 1000); });
    if (starts.size() >= boundCount)
        return false;
    QElapsedTimer now;
    now.start();
    starts.append(now);
    return true;
}

bool QtDownloads::isTaken(const QString &folder, const QString &name) const
{
    const QString path = QDir(folder).filePath(name);
    if (QFileInfo::exists(path) || QFileInfo::exists(path + partialSuffix))
        return true;
    return std::any_of(m_running.cbegin(), m_running.cend(), [&](const QPointer<QWebEngineDownloadRequest> &download) {
        return download && download->downloadFileName() == name && download->downloadDirectory() == folder;
    });
}

void QtDownloads::start(QWebEngineDownloadRequest *download)
{
    // Pages saved through the engine's own menu never come here.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!withinBound(download->page()) || folder.isEmpty() || !QDir().mkpath(folder)) {
        download->cancel();
        return;
    }
    const QString name = DownloadName::unused(DownloadName::safe(download->suggestedFileName()),
                                              [&](const QString &candidate) { return isTaken(folder, candidate); });
    download->setDownloadDirectory(folder);
    download->setDownloadFileName(name);
    m_running.insert(download->id(), download);
    follow(download, QDir(folder).filePath(name));
    download->accept();
}

void QtDownloads::follow(QWebEngineDownloadRequest *download, const QString &path)
{
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this, [this, download] { progressed(download); });
    connect(download, &QWebEngineDownloadRequest::stateChanged, this, [this, download, path] { ended(download, path); });
}

void QtDownloads::progressed(QWebEngineDownloadRequest *download)
{
    // A transfer that ended unfinished has its count reset afterwards: shown,
    // it would replace the word that it failed with a progress that never goes on.
    if (m_observers.progressed && m_running.contains(download->id()))
        m_observers.progressed({download->id(), download->downloadFileName(), download->receivedBytes(), download->totalBytes()});
}

void QtDownloads::ended(QWebEngineDownloadRequest *download, const QString &path)
{
    const QWebEngineDownloadRequest::DownloadState state = download->state();
    if (state == QWebEngineDownloadRequest::DownloadRequested || state == QWebEngineDownloadRequest::DownloadInProgress)
        return;
    // A cut-off transfer is cancelled below, and its cancellation comes back here.
    if (!m_running.remove(download->id()))
        return;
    if (state == QWebEngineDownloadRequest::DownloadCompleted) {
        if (m_observers.finished)
            m_observers.finished(download->id(), path);
        return;
    }
    // An interrupted download waits to be resumed, keeping its part on disk:
    // nothing of a failed transfer is to stay.
    if (state == QWebEngineDownloadRequest::DownloadInterrupted)
        download->cancel();
    QFile::remove(path + partialSuffix);
    QFile::remove(path);
    if (m_observers.failed)
        m_observers.failed(download->id(), QFileInfo(path).fileName());
}

void QtDownloads::cancel(quint32 id)
{
    if (const QPointer<QWebEngineDownloadRequest> download = m_running.value(id))
        download->cancel();
}
