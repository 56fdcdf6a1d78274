#pragma once

#include "shelf/DropIntake.h"

#include <QObject>
#include <QThreadPool>

class DropShelfModel;
class QDropEvent;
class QMimeData;

// Stages what a drop carries through the shelf's intake: the records are made
// off the main thread (a dropped file may be slow to read) and put on the
// shelf together, in the order the drag offers them, once all are made.
class DropStager final : public QObject
{
    Q_OBJECT

public:
    explicit DropStager(DropShelfModel &shelf, QObject *parent = nullptr);
    // Waits for the loads in flight; what they make is not staged.
    ~DropStager() override;

    // Whether the drop carries anything to stage.
    bool stage(const QList<DropIntake::Request> &requests);
    bool stage(const QMimeData &data);
    // Stages the drop and answers its source: taken as proposed when it
    // carries anything to stage, refused otherwise.
    void stageDrop(QDropEvent &event);
    int loadsInFlight() const { return m_inFlight; }

private:
    DropShelfModel &m_shelf;
    QThreadPool m_loading;
    int m_inFlight = 0;
};
