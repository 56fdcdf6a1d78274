#pragma once

#include <QRect>
#include <QUrl>

// What a page may do beyond its own tab: open windows, or hand an address to
// the desktop. Nothing reaches the desktop without the user's click.
namespace WebLinkPolicy {

// Where a page asks a new window to go, as the engine tells it.
enum class Destination { Tab, BackgroundTab, Window, Dialog };

enum class NewWindow {
    Refused,
    // A small window of Orvane's own on the page's identity, keeping the
    // opener relationship a sign-in or payment pop-up relies on.
    OwnPopup,
    // The desktop's browser.
    DesktopBrowser,
};

// A script's window with window features is a pop-up; links and every other
// new tab or window belong in the desktop's browser. Unasked-for windows are
// refused, as a pop-up blocker does.
NewWindow forNewWindow(Destination destination, bool userInitiated, const QUrl &url);

// Addresses the desktop's browser may be given.
bool mayReachDesktopBrowser(const QUrl &url);

enum class Navigation {
    // The engine loads it in the page.
    Load,
    // Passed to the desktop once the user says so.
    AskFirst,
    Refused,
};

// A navigation of the page itself. Addresses outside the web (mail, phone,
// other applications) leave only after a click and a question; Orvane's own
// commands, local files and the engine's internal pages never do.
Navigation forNavigation(const QUrl &url, bool clicked);

// Where a pop-up goes: the size asked for, within the screen, at the place
// asked for when it fits, else centred on the screen.
QRect popupFrame(const QRect &requested, const QRect &screen);

} // namespace WebLinkPolicy
