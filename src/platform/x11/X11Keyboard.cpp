#include "platform/x11/X11Keyboard.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr xcb_keysym_t shiftL = 0xffe1, shiftR = 0xffe2, controlL = 0xffe3, controlR = 0xffe4;
constexpr xcb_keysym_t metaL = 0xffe7, metaR = 0xffe8, altL = 0xffe9, altR = 0xffea, superL = 0xffeb, superR = 0xffec;
constexpr xcb_keysym_t unicodeBase = 0x01000000;

// Rows of the US layout: the first keycode of each run and its keys.
constexpr std::array<std::pair<xcb_keycode_t, const char *>, 5> usRows = {{
    {10, "1234567890-="},
    {24, "QWERTYUIOP[]"},
    {38, "ASDFGHJKL;'`"},
    {52, "ZXCVBNM,./"},
    {65, " "},
}};
constexpr xcb_keycode_t escapeKeycode = 9;

} // namespace

namespace X11Keyboard {

Qt::Key usKeyForKeycode(xcb_keycode_t keycode)
{
    if (keycode == escapeKeycode)
        return Qt::Key_Escape;
    for (const auto &[first, keys] : usRows) {
        const std::string_view row(keys);
        if (keycode >= first && keycode < first + row.size())
            return Qt::Key(row[keycode - first]);
    }
    return Qt::Key_unknown;
}

QString characterOfKeysym(xcb_keysym_t keysym)
{
    char32_t code = 0;
    if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
        code = keysym;
    else if (keysym > unicodeBase && keysym <= unicodeBase + 0x10ffff)
        code = keysym - unicodeBase;
    return code ? QString::fromUcs4(&code, 1).toLower() : QString();
}

Qt::KeyboardModifiers modifierOfKeysym(xcb_keysym_t keysym)
{
    switch (keysym) {
    case shiftL:
    case shiftR:
        return Qt::ShiftModifier;
    case controlL:
    case controlR:
        return Qt::ControlModifier;
    case altL:
    case altR:
    case metaL:
    case metaR:
        return Qt::AltModifier;
    case superL:
    case superR:
        return Qt::MetaModifier;
    default:
        return Qt::NoModifier;
    }
}

xcb_keysym_t keysymOfKey(Qt::Key key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return xcb_keysym_t('a' + (key - Qt::Key_A));
    if (key == Qt::Key_Space)
        return 0x20;
    return 0;
}

} // namespace X11Keyboard
