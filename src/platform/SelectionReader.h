#pragma once

#include "platform/DesktopApplications.h"

#include <optional>

// Reads what an application has selected without sending it any keys.
class SelectionReader
{
public:
    virtual ~SelectionReader() = default;
    SelectionReader() = default;
    SelectionReader(const SelectionReader &) = delete;
    SelectionReader &operator=(const SelectionReader &) = delete;

    // Whether this desktop lets Orvane read other applications' selections at all.
    virtual bool canRead() const = 0;
    // The text `source` has selected; nothing when it has none or it cannot be read.
    virtual std::optional<QString> selectedText(const DesktopApplication &source) = 0;
};
