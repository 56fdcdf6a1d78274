#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects Qt's warnings while it lives.
class CapturedWarnings final
{
public:
    CapturedWarnings() : m_previous(qInstallMessageHandler(collect)) { lines().clear(); }
    ~CapturedWarnings() { qInstallMessageHandler(m_previous); }
    CapturedWarnings(const CapturedWarnings &) = delete;
    CapturedWarnings &operator=(const CapturedWarnings &) = delete;

    static QStringList &lines()
    {
        static QStringList collected;
        return collected;
    }

private:
    static void collect(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtWarningMsg)
            lines().append(message);
    }
    QtMessageHandler m_previous;
};
