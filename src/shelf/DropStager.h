#pragma once

#include <QObject>
#include <QThreadPool>

class DropShelfModel;
class QMimeData;

// Stages what a drop carries: the records are made off the main thread (a
// dropped file may be slow to read) and each is put on the shelf, on the main
// thread, as soon as it is made.
class DropStager final : public QObject
{
    Q_OBJECT

public:
    explicit DropStager(DropShelfModel &shelf, QObject *parent = nullptr);
    // Waits for the loads in flight; what they make is not staged.
    ~DropStager() override;

    // Whether the drop carries anything to stage.
    bool stage(const QMimeData &data);
    int loadsInFlight() const { return m_inFlight; }

private:
    DropShelfModel &m_shelf;
    QThreadPool m_loading;
    int m_inFlight = 0;
};
