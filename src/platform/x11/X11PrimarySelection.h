#pragma once

#include "platform/SelectionReader.h"

// X11's primary selection: the text the user selected last, in whichever
// application that was. It counts as the source's selection only while the
// source's own process owns it; an older selection of another application
// is not what the user is looking at.
class X11PrimarySelection final : public SelectionReader
{
public:
    bool canRead() const override;
    std::optional<QString> selectedText(const DesktopApplication &source) override;
};
