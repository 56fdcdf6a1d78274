#include "platform/x11/X11LocalKeyMonitor.h"

#include "platform/x11/X11Keyboard.h"

#include <QCoreApplication>
#include <QKeyEvent>

X11LocalKeyMonitor::~X11LocalKeyMonitor()
{
    remove();
}

bool X11LocalKeyMonitor::install(Handler handler)
{
    if (!QCoreApplication::instance())
        return false;
    m_handler = std::move(handler);
    QCoreApplication::instance()->installEventFilter(this);
    return true;
}

void X11LocalKeyMonitor::remove()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_handler = nullptr;
}

bool X11LocalKeyMonitor::eventFilter(QObject *watched, QEvent *event)
{
    // A press reaches its window first and then travels through widgets:
    // looking at it at the window sees it once, before anything acts on it.
    if (event->type() != QEvent::KeyPress || !watched->isWindowType() || !m_handler)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    KeyStroke stroke;
    stroke.modifiers = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (key->key() >= Qt::Key_Space && key->key() < Qt::Key_Escape)
        stroke.character = QString(QChar(char16_t(key->key()))).toLower();
    stroke.usKey = X11Keyboard::usKeyForKeycode(xcb_keycode_t(key->nativeScanCode()));
    return m_handler(stroke);
}
