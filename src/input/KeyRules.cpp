#include "input/KeyRules.h"

#include <QKeySequence>

namespace {

using Kind = KeyCommand::Kind;

constexpr Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers alt = Qt::AltModifier;
const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;

// Letters, digits and punctuation: Qt's key for a character is its
// upper-case code.
bool is(const KeyStroke &stroke, Qt::Key key)
{
    if (stroke.usKey == key)
        return true;
    return stroke.character.size() == 1 && stroke.character.at(0).toUpper().unicode() == key;
}

std::optional<KeyCommand> withCtrl(const KeyStroke &stroke)
{
    if (is(stroke, Qt::Key_K))
        return KeyCommand{Kind::FlipCommandPalette};
    if (is(stroke, Qt::Key_Comma))
        return KeyCommand{Kind::FlipSettings};
    if (is(stroke, Qt::Key_1))
        return KeyCommand{Kind::ShowScratchpad};
    if (is(stroke, Qt::Key_2))
        return KeyCommand{Kind::ShowDropShelf};
    // Ctrl+1 to Ctrl+9 walk the rail from the top: the scratchpad, the
    // shelf, then the web tabs.
    for (int digit = 3; digit <= 9; ++digit) {
        if (is(stroke, Qt::Key(Qt::Key_0 + digit)))
            return KeyCommand{Kind::SelectTab, digit - 3};
    }
    if (is(stroke, Qt::Key_W))
        return KeyCommand{Kind::CloseActiveTab};
    if (is(stroke, Qt::Key_R))
        return KeyCommand{Kind::ReloadActiveTab};
    if (is(stroke, Qt::Key_Equal) || is(stroke, Qt::Key_Plus))
        return KeyCommand{Kind::ZoomIn};
    if (is(stroke, Qt::Key_Minus))
        return KeyCommand{Kind::ZoomOut};
    if (is(stroke, Qt::Key_0))
        return KeyCommand{Kind::ZoomReset};
    if (is(stroke, Qt::Key_F))
        return KeyCommand{Kind::FindInPage};
    if (is(stroke, Qt::Key_Z))
        return KeyCommand{Kind::UndoNotice};
    if (is(stroke, Qt::Key_Q))
        return KeyCommand{Kind::Quit};
    return std::nullopt;
}

std::optional<KeyCommand> withAlt(const KeyStroke &stroke)
{
    if (is(stroke, Qt::Key_Space))
        return KeyCommand{Kind::TogglePanel};
    if (stroke.modifiers == alt && (is(stroke, Qt::Key_M) || is(stroke, Qt::Key_S)))
        return KeyCommand{Kind::TogglePanel};
    if (is(stroke, Qt::Key_A))
        return KeyCommand{Kind::Capture};
    return std::nullopt;
}

} // namespace

bool KeyCommand::needsPanelFocus() const
{
    switch (kind) {
    case Kind::SelectTab:
    case Kind::CloseActiveTab:
    case Kind::ReloadActiveTab:
    case Kind::UndoNotice:
    case Kind::Quit:
        return true;
    default:
        return actsOnPage();
    }
}

bool KeyCommand::actsOnPage() const
{
    switch (kind) {
    case Kind::ZoomIn:
    case Kind::ZoomOut:
    case Kind::ZoomReset:
    case Kind::FindInPage:
        return true;
    default:
        return false;
    }
}

QString HotKey::text() const
{
    return QKeySequence(modifiers | key).toString(QKeySequence::PortableText);
}

namespace KeyRules {

const QList<HotKey> &hotKeys()
{
    static const QList<HotKey> table = {
        {1, Qt::Key_A, alt, Kind::Capture},
        {2, Qt::Key_A, ctrlAlt, Kind::Capture},
        {3, Qt::Key_Space, alt, Kind::TogglePanel},
        {4, Qt::Key_Space, ctrlAlt, Kind::TogglePanel},
        {5, Qt::Key_S, alt, Kind::TogglePanel},
        {6, Qt::Key_M, alt, Kind::TogglePanel},
    };
    return table;
}

std::optional<KeyCommand> commandFor(const KeyStroke &stroke)
{
    if (stroke.modifiers == ctrl) {
        if (auto command = withCtrl(stroke))
            return command;
    } else if (stroke.modifiers == alt || stroke.modifiers == ctrlAlt) {
        if (auto command = withAlt(stroke))
            return command;
    }
    if (stroke.usKey == Qt::Key_Escape)
        return KeyCommand{Kind::Escape};
    return std::nullopt;
}

bool isHotKey(const KeyStroke &stroke)
{
    for (const HotKey &hotKey : hotKeys()) {
        if (stroke.modifiers == hotKey.modifiers && is(stroke, hotKey.key))
            return true;
    }
    return false;
}

} // namespace KeyRules
