#pragma once

#include "platform/Pasteboard.h"
#include "platform/x11/X11SelectionText.h"

#include <QObject>

// X11's clipboard (the CLIPBOARD selection): its changes, the desktop's
// included, counted from QClipboard's notifications; its text asked of its
// owner without waiting.
class X11Pasteboard final : public QObject, public Pasteboard
{
    Q_OBJECT

public:
    X11Pasteboard();

    quint64 changeCount() const override { return m_changes; }
    void readText(Reply reply) override;

private:
    quint64 m_changes = 0;
    X11SelectionText m_text{QClipboard::Clipboard};
};
