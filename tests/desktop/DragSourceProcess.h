#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The drag helper program (desktop/DragSource.cpp) as another application:
// its window at 200,200 until the drag is over.
class DragSourceProcess
{
public:
    // --file PATH, --text TEXT or --image.
    explicit DragSourceProcess(const QStringList &arguments);
    ~DragSourceProcess();

    // Presses in the helper's window and drags, step by step, to the point.
    void dragTo(int x, int y);
    // Presses in the helper's window and moves the pointer to the point,
    // keeping the button held.
    void dragOver(int x, int y);
    // "copy", "ignore", or empty while the drag is not over.
    QString result();
    bool isReady() const { return m_ready; }

private:
    QString read();

    QProcess m_process;
    QString m_output;
    bool m_ready = false;
};
