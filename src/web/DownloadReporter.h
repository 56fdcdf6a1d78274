#pragma once

#include <QObject>

class AppState;
class Clock;
class WebDownloads;

// Tells the panel how the pages' downloads go: their progress on the notice
// bar, with a button to cancel; a finished file in front on the drop shelf,
// ready to be dragged into another application.
class DownloadReporter final : public QObject
{
    Q_OBJECT

public:
    DownloadReporter(AppState &state, WebDownloads &downloads, const Clock &clock, QObject *parent = nullptr);

private:
    AppState &m_state;
    WebDownloads &m_downloads;
    const Clock &m_clock;
    // The last whole percent (or mebibyte, when the size is unknown) shown, and when.
    qint64 m_shownStep = -1;
    double m_shownAt = 0;
};
