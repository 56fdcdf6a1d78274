#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A nested X server of the test's own (Xephyr, 1440 × 900) split with xrandr
// into two monitors side by side, "left" (the primary) and "right", 720 wide
// each; the test display keeps its single screen.
class TwoScreenDisplay
{
public:
    // False when the server or the split could not be had.
    bool start();
    ~TwoScreenDisplay();

    // ":N"
    const QString &name() const { return m_display; }
    // Runs a program against this display; its exit code.
    int run(const QString &program, const QStringList &arguments, QString *output = nullptr) const;
    int xrandr(const QStringList &arguments) const { return run(QStringLiteral("xrandr"), arguments); }

private:
    QProcess m_server;
    QString m_display;
};
