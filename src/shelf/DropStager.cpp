#include "shelf/DropStager.h"

#include "shelf/DropIntake.h"
#include "shelf/DropShelfModel.h"

#include <QMimeData>

DropStager::DropStager(DropShelfModel &shelf, QObject *parent) : QObject(parent), m_shelf(shelf)
{
    // One drop's records are made in the order the drag offers them.
    m_loading.setMaxThreadCount(1);
}

DropStager::~DropStager()
{
    m_loading.waitForDone();
}

bool DropStager::stage(const QMimeData &data)
{
    const QList<DropIntake::Request> requests = DropIntake::requestsFrom(data);
    for (const DropIntake::Request &request : requests) {
        ++m_inFlight;
        m_loading.start([this, request] {
            const std::optional<DropItem> item = DropIntake::load(request);
            QMetaObject::invokeMethod(this, [this, item] {
                --m_inFlight;
                if (item)
                    m_shelf.addDropItems({*item});
            }, Qt::QueuedConnection);
        });
    }
    return !requests.isEmpty();
}
