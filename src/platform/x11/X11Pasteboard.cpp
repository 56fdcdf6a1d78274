#include "platform/x11/X11Pasteboard.h"

#include <QGuiApplication>

X11Pasteboard::X11Pasteboard()
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ++m_changes; });
}

void X11Pasteboard::readText(Reply reply)
{
    m_text.read(std::move(reply));
}
