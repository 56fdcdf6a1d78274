#include "platform/x11/X11LocalKeyMonitor.h"

#include "platform/x11/X11Keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

X11LocalKeyMonitor::X11LocalKeyMonitor(const QWidget &panel) : m_panel(panel)
{
}

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
    // A dialog's presses reach the dialog's own window.
    if (event->type() != QEvent::KeyPress || !m_handler || watched != m_panel.windowHandle())
        return false;
    // An open menu or list holds the keyboard, yet Qt hands its presses to the
    // window that has the focus, the panel's, which passes them on to it.
    if (QApplication::activePopupWidget())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    KeyStroke stroke;
    stroke.modifiers = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (key->key() >= Qt::Key_Space && key->key() < Qt::Key_Escape)
        stroke.character = QString(QChar(char16_t(key->key()))).toLower();
    stroke.usKey = X11Keyboard::usKeyForKeycode(xcb_keycode_t(key->nativeScanCode()));
    return m_handler(stroke);
}
