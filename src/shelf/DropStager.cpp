#include "shelf/DropStager.h"

#include "shelf/DropShelfModel.h"

#include <QDropEvent>

DropStager::DropStager(DropShelfModel &shelf, QObject *parent) : QObject(parent), m_shelf(shelf)
{
    // Drops are staged in the order they came.
    m_loading.setMaxThreadCount(1);
}

DropStager::~DropStager()
{
    m_loading.waitForDone();
}

bool DropStager::stage(const QList<DropIntake::Request> &requests)
{
    if (requests.isEmpty())
        return false;
    ++m_inFlight;
    m_loading.start([this, requests] {
        const QList<DropItem> items = DropIntake::load(requests);
        QMetaObject::invokeMethod(this, [this, items] {
            --m_inFlight;
            m_shelf.addDropItems(items);
        }, Qt::QueuedConnection);
    });
    return true;
}

bool DropStager::stage(const QMimeData &data)
{
    return stage(DropIntake::requestsFrom(data));
}

void DropStager::stageDrop(QDropEvent &event)
{
    if (stage(*event.mimeData()))
        event.acceptProposedAction();
    else
        event.ignore();
}
