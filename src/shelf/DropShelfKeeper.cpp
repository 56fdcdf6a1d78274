#include "shelf/DropShelfKeeper.h"

#include "platform/Clock.h"
#include "shelf/DropShelfModel.h"
#include "shelf/DropShelfStorage.h"

#include <QDebug>

namespace {

bool isExpired(const DropItem &item, const QDateTime &now)
{
    return item.createdAt.isValid() && item.createdAt.addSecs(DropShelfKeeper::lifetimeSeconds) < now;
}

} // namespace

DropShelfKeeper::DropShelfKeeper(DropShelfModel &shelf, Clock &clock, const QString &filePath, QObject *parent)
    : QObject(parent), m_shelf(shelf), m_clock(clock), m_file(filePath)
{
    const QList<DropItem> kept = m_file.load();
    if (!kept.isEmpty())
        m_shelf.setItems(m_shelf.items() + kept);
    connect(&m_shelf, &DropShelfModel::changed, this, &DropShelfKeeper::save);
    removeExpired();
    // What could be read of a file set aside is kept in a new one at once.
    if (!m_file.setAsidePath().isEmpty())
        save();
    m_sweep = m_clock.repeating(sweepIntervalSeconds, [this] { removeExpired(); });
}

DropShelfKeeper::~DropShelfKeeper() = default;

void DropShelfKeeper::removeExpired()
{
    const QDateTime now = m_clock.now();
    QList<DropItem> keep;
    QList<DropItem> expired;
    for (const DropItem &item : m_shelf.items())
        (isExpired(item, now) ? expired : keep).append(item);
    if (expired.isEmpty())
        return;
    m_shelf.setItems(keep);
    DropShelfStorage::removeOwnSnippets(expired, keep);
}

void DropShelfKeeper::save()
{
    m_isSaved = m_file.save(m_shelf.items());
    if (m_isSaved || m_reportedSaveFailure)
        return;
    // Said once a run: the same cause would repeat it with every change.
    m_reportedSaveFailure = true;
    qWarning().noquote() << QStringLiteral("[Orvane] Cannot save the drop shelf to %1; what is on it now is lost "
                                           "when Orvane quits.")
                                .arg(m_file.path());
}
