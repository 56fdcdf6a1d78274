#pragma once

#include "platform/Pasteboard.h"

#include <QObject>

// The application's clipboard; its changes, the desktop's included, are
// counted from QClipboard's notifications.
class QtPasteboard final : public QObject, public Pasteboard
{
    Q_OBJECT

public:
    QtPasteboard();

    quint64 changeCount() const override { return m_changes; }
    std::optional<QString> text() const override;

private:
    quint64 m_changes = 0;
};
