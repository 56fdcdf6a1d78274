#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The helper program with a selection and the keyboard
// (helpers/SelectionWindow.cpp) as another application, while this lives.
class SelectionWindowProcess
{
public:
    explicit SelectionWindowProcess(const QStringList &arguments,
                                    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    ~SelectionWindowProcess();

    // Once it has the keyboard.
    bool becomesReady();
    qint64 processId() const { return m_process.processId(); }
    // What it printed so far: "ready", then each chord it received.
    QString output();
    // Its visible window, as xdotool names it.
    QString window() const;

private:
    QProcess m_process;
    QString m_output;
};
