#pragma once

#include <QString>

#include <functional>

// The web pages' downloads, saved into the desktop's download folder under a
// safe name that overwrites nothing, and reported as they go.
class WebDownloads
{
public:
    virtual ~WebDownloads() = default;
    WebDownloads() = default;
    WebDownloads(const WebDownloads &) = delete;
    WebDownloads &operator=(const WebDownloads &) = delete;

    struct Progress
    {
        quint32 id = 0;
        // The name it is saved under.
        QString fileName;
        qint64 receivedBytes = 0;
        // Negative when the server did not say.
        qint64 totalBytes = -1;
    };
    struct Observers
    {
        std::function<void(const Progress &)> progressed;
        // The complete file, under its final name.
        std::function<void(quint32 id, const QString &path)> finished;
        // Cancelled or cut off; nothing of it is left on disk.
        std::function<void(quint32 id, const QString &fileName)> failed;
    };

    virtual void setObservers(Observers observers) = 0;
    virtual void cancel(quint32 id) = 0;
};
