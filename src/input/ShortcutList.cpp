#include "input/ShortcutList.h"

namespace ShortcutList {

const QList<Shortcut> &shortcuts()
{
    static const QList<Shortcut> table = {
        {QStringLiteral("Capture Highlighted Text to AI"), {QStringLiteral("Alt+A"), QStringLiteral("Ctrl+Alt+A")},
         Scope::Global},
        {QStringLiteral("Toggle Orvane Panel"),
         {QStringLiteral("Alt+Space"), QStringLiteral("Ctrl+Alt+Space"), QStringLiteral("Alt+S"), QStringLiteral("Alt+M")},
         Scope::Global},
        {QStringLiteral("Open Command Palette"), {QStringLiteral("Ctrl+K")}, Scope::Panel},
        {QStringLiteral("Open / Close Settings"), {QStringLiteral("Ctrl+,")}, Scope::Panel},
        {QStringLiteral("Reorder Rail Tabs Directly"), {QStringLiteral("Ctrl+Drag")}, Scope::Gesture},
        // Ctrl+1 to Ctrl+9 walk the rail from the top: the scratchpad, the shelf, then the web tabs.
        {QStringLiteral("Show Scratchpad"), {QStringLiteral("Ctrl+1")}, Scope::Panel},
        {QStringLiteral("Show Drop Shelf"), {QStringLiteral("Ctrl+2")}, Scope::Panel},
        {QStringLiteral("Switch to Tab 1–7"), {QStringLiteral("Ctrl+3 – Ctrl+9")}, Scope::Panel},
        {QStringLiteral("Close Active Tab"), {QStringLiteral("Ctrl+W")}, Scope::Panel},
        {QStringLiteral("Reload Web Page"), {QStringLiteral("Ctrl+R")}, Scope::Panel},
        {QStringLiteral("Quit Orvane"), {QStringLiteral("Ctrl+Q")}, Scope::Panel},
        {QStringLiteral("Close Panel / Dismiss"), {QStringLiteral("Esc")}, Scope::Panel},
    };
    return table;
}

} // namespace ShortcutList
