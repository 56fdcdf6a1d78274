#pragma once

#include "platform/KeyMonitor.h"

#include <QList>
#include <QString>

#include <optional>

// What a key press asks of the panel.
struct KeyCommand
{
    enum class Kind {
        TogglePanel,
        Capture,
        FlipCommandPalette,
        FlipSettings,
        ShowScratchpad,
        ShowDropShelf,
        // The web tab at `tabIndex` in the rail's order.
        SelectTab,
        CloseActiveTab,
        ReloadActiveTab,
        // The shown web tab's zoom, and its find field.
        ZoomIn,
        ZoomOut,
        ZoomReset,
        FindInPage,
        // The notice bar's Undo, while it offers one.
        UndoNotice,
        Quit,
        Escape,
    };

    Kind kind;
    int tabIndex = 0;

    // Commands that act on the panel's own content only, never on a press
    // meant for another application: there Ctrl+W, Ctrl+R or Ctrl+Q belong
    // to that application.
    bool needsPanelFocus() const;
    // Commands for the web page shown; elsewhere the key is the editor's or field's.
    bool actsOnPage() const;

    bool operator==(const KeyCommand &) const = default;
};

// One of the system-wide combinations.
struct HotKey
{
    quint32 id;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    KeyCommand::Kind command;

    // "Alt+Space", as menus and the settings screen write it.
    QString text() const;
};

namespace KeyRules {

// The six system-wide combinations, in the order they are registered.
const QList<HotKey> &hotKeys();

// The command for a key press, if any, by the rules in their order: with
// exactly Ctrl, K (palette), comma (settings), 1 (scratchpad), 2 (shelf),
// 3 to 9 (the first seven web tabs), W (close the tab), R (reload it),
// = or + (zoom in), - (zoom out), 0 (the page's own size), F (find),
// Z (the notice's Undo), Q (quit); with exactly Alt, or exactly Ctrl+Alt, Space (toggle), A
// (capture), and with Alt alone also M and S (toggle); Escape with any
// modifiers. A key matches by the character it types or by its place on a
// US keyboard.
std::optional<KeyCommand> commandFor(const KeyStroke &stroke);

// Whether the press is one of the system-wide combinations.
bool isHotKey(const KeyStroke &stroke);

} // namespace KeyRules
