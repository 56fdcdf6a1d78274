#pragma once

#include "platform/SelectionReader.h"
#include "platform/x11/X11SelectionText.h"

// X11's primary selection: the text the user selected last, in whichever
// application that was. It counts as the source's selection only while the
// source's own process owns it; an older selection of another application
// is not what the user is looking at.
class X11PrimarySelection final : public SelectionReader
{
public:
    bool canRead() const override;
    void readSelectedText(const DesktopApplication &source, Reply reply) override;

private:
    X11SelectionText m_text{QClipboard::Selection};
};
