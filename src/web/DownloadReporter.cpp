#include "web/DownloadReporter.h"

#include "platform/Clock.h"
#include "platform/WebDownloads.h"
#include "shelf/ByteCount.h"
#include "shelf/DropItem.h"
#include "state/AppState.h"

#include <QFileInfo>
#include <QPointer>

namespace {

// The progress is redrawn at most this often: the engine moves a download
// along on the interface thread, and every redraw of the panel holds it up.
constexpr double progressInterval = 0.25;

} // namespace

DownloadReporter::DownloadReporter(AppState &state, WebDownloads &downloads, const Clock &clock, QObject *parent)
    : QObject(parent), m_state(state), m_downloads(downloads), m_clock(clock)
{
    QPointer<DownloadReporter> self(this);
    WebDownloads::Observers observers;
    observers.progressed = [self](const WebDownloads::Progress &progress) {
        if (!self)
            return;
        const bool sized = progress.totalBytes > 0;
        const qint64 step = sized ? progress.receivedBytes * 100 / progress.totalBytes : progress.receivedBytes >> 20;
        const double now = self->m_clock.uptime();
        if (step == self->m_shownStep || (self->m_shownStep >= 0 && now - self->m_shownAt < progressInterval))
            return;
        self->m_shownStep = step;
        self->m_shownAt = now;
        const QString amount = sized ? tr("%1%").arg(step) : ByteCount::format(progress.receivedBytes);
        const quint32 id = progress.id;
        self->m_state.notice().show(tr("Downloading %1 — %2").arg(progress.fileName, amount), tr("Cancel"),
                                    [self, id] {
                                        if (self)
                                            self->m_downloads.cancel(id);
                                    });
    };
    observers.finished = [self](quint32, const QString &path) {
        if (!self)
            return;
        self->m_shownStep = -1;
        DropShelfModel &shelf = self->m_state.shelf();
        shelf.setItems(QList<DropItem>{DropItem::fromFileUrl(QUrl::fromLocalFile(path))} + shelf.items());
        self->m_state.notice().show(tr("Downloaded %1").arg(QFileInfo(path).fileName()), tr("Show"), [self] {
            if (self)
                self->m_state.content().setActiveItem(ActiveSidebarItem::dropShelf());
        });
    };
    observers.failed = [self](quint32, const QString &fileName) {
        if (!self)
            return;
        self->m_shownStep = -1;
        self->m_state.notice().show(tr("%1 was not downloaded").arg(fileName), tr("OK"), {});
    };
    m_downloads.setObservers(std::move(observers));
}
