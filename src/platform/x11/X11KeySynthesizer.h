#pragma once

#include "platform/KeySynthesizer.h"

// Made-up key presses through the XTest extension: the server delivers them
// as it would the keyboard's, to the window with the keyboard focus.
class X11KeySynthesizer final : public KeySynthesizer
{
public:
    bool keysHeld() override;
    bool sendChord(Qt::Key key, Qt::KeyboardModifiers modifiers) override;
};
