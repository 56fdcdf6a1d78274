#pragma once

#include "ai/CapturedContext.h"
#include "platform/DesktopApplications.h"
#include "platform/SelectionReader.h"

#include <QList>

#include <functional>
#include <optional>

class ApplicationNames;
class Clock;
class KeySynthesizer;
class Pasteboard;

// Reads the text the user has selected in the application in front, from the
// first of three sources that gives a non-blank text: the application's
// selection read directly, a made-up copy key press, the clipboard as it was.
// Every step is bounded: an application that never answers costs it at most
// readWait, and the main queue runs meanwhile.
class ContextDetector final
{
public:
    struct Desktop
    {
        DesktopApplications &applications;
        // Asked in this order.
        QList<SelectionReader *> selectionReaders;
        KeySynthesizer &keys;
        Pasteboard &pasteboard;
        Clock &clock;
        ApplicationNames &names;
    };

    // How long one selection or the clipboard may take to give its text.
    static constexpr double readWait = 0.15;
    // How long a made-up copy may take to reach the clipboard, and how often it is looked at.
    static constexpr double copyWait = 0.12;
    static constexpr double pollInterval = 0.015;
    // How long the keys of the hot key that started the capture may still be held.
    static constexpr double keyReleaseWait = 0.5;

    explicit ContextDetector(Desktop desktop);

    // Lets the main queue run while it waits, for at most about readWait per
    // selection reader, keyReleaseWait + copyWait + readWait for the copy and
    // readWait for the clipboard.
    std::optional<CapturedContext> captureContext();
    // Whether the first source can be read at all on this desktop.
    bool hasAccessibilityPermission() const;

private:
    struct Source
    {
        QString appName;
        std::optional<QString> appBundleId;
    };

    std::optional<DesktopApplication> sourceApplication(const std::optional<DesktopApplication> &front);
    Source describe(const std::optional<DesktopApplication> &application);
    std::optional<QString> copiedText(const std::optional<DesktopApplication> &front);
    std::optional<QString> clipboardText();
    void waitForKeysReleased();
    // Asks with `ask` and waits for its reply, at most readWait.
    std::optional<QString> awaitText(const std::function<void(SelectionReader::Reply)> &ask);
    CapturedContext context(const QString &text, const Source &source, bool fromClipboard) const;

    Desktop m_desktop;
};
