#include "platform/x11/X11Keyboard.h"

#include <gtest/gtest.h>

namespace {

struct PlaceCase { const char *name; xcb_keycode_t keycode; Qt::Key key; };

class KeyPlaces : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(KeyPlaces, KeycodesNameTheKeyAtThatPlaceOnAUSKeyboard)
{
    EXPECT_EQ(X11Keyboard::usKeyForKeycode(GetParam().keycode), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Evdev, KeyPlaces,
                         ::testing::Values(PlaceCase{"escape", 9, Qt::Key_Escape}, PlaceCase{"one", 10, Qt::Key_1},
                                           PlaceCase{"nine", 18, Qt::Key_9}, PlaceCase{"q", 24, Qt::Key_Q},
                                           PlaceCase{"w", 25, Qt::Key_W}, PlaceCase{"r", 27, Qt::Key_R},
                                           PlaceCase{"a", 38, Qt::Key_A}, PlaceCase{"s", 39, Qt::Key_S},
                                           PlaceCase{"k", 45, Qt::Key_K}, PlaceCase{"m", 58, Qt::Key_M},
                                           PlaceCase{"comma", 59, Qt::Key_Comma}, PlaceCase{"space", 65, Qt::Key_Space},
                                           PlaceCase{"left_shift_is_no_key", 50, Qt::Key_unknown},
                                           PlaceCase{"f1_is_no_key", 67, Qt::Key_unknown}), rowName);

TEST(X11Keyboard, KeysymsTypeTheirCharacterInLowerCaseAndNameModifiersAndHotKeyKeys)
{
    EXPECT_EQ(X11Keyboard::characterOfKeysym(0x6b), QStringLiteral("k"));
    EXPECT_EQ(X11Keyboard::characterOfKeysym(0x4b), QStringLiteral("k"));
    EXPECT_EQ(X11Keyboard::characterOfKeysym(0x2c), QStringLiteral(","));
    EXPECT_EQ(X11Keyboard::characterOfKeysym(0xe9), QStringLiteral("\u00e9"));
    EXPECT_EQ(X11Keyboard::characterOfKeysym(0x0100043b), QStringLiteral("\u043b"));
    EXPECT_TRUE(X11Keyboard::characterOfKeysym(0xff1b).isEmpty()) << "Escape types nothing";

    EXPECT_EQ(X11Keyboard::modifierOfKeysym(0xffe3), Qt::ControlModifier);
    EXPECT_EQ(X11Keyboard::modifierOfKeysym(0xffea), Qt::AltModifier);
    EXPECT_EQ(X11Keyboard::modifierOfKeysym(0xffeb), Qt::MetaModifier);
    EXPECT_EQ(X11Keyboard::modifierOfKeysym(0x61), Qt::NoModifier);
    EXPECT_EQ(X11Keyboard::keysymOfKey(Qt::Key_A), xcb_keysym_t(0x61));
    EXPECT_EQ(X11Keyboard::keysymOfKey(Qt::Key_M), xcb_keysym_t(0x6d));
    EXPECT_EQ(X11Keyboard::keysymOfKey(Qt::Key_Space), xcb_keysym_t(0x20));
    EXPECT_EQ(X11Keyboard::keysymOfKey(Qt::Key_F1), xcb_keysym_t(0));
}

} // namespace
