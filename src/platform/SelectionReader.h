#pragma once

#include "platform/DesktopApplications.h"

#include <functional>
#include <optional>

// Reads what an application has selected without sending it any keys.
class SelectionReader
{
public:
    using Reply = std::function<void(const std::optional<QString> &text)>;

    virtual ~SelectionReader() = default;
    SelectionReader() = default;
    SelectionReader(const SelectionReader &) = delete;
    SelectionReader &operator=(const SelectionReader &) = delete;

    // Whether this desktop lets Orvane read other applications' selections at all.
    virtual bool canRead() const = 0;
    // Asks for the text `source` has selected. `reply` gets it, or nothing
    // when it has none or it cannot be read: at most once, perhaps before
    // this returns, perhaps never (an application that does not answer).
    // Asking again gives up the reply still owed.
    virtual void readSelectedText(const DesktopApplication &source, Reply reply) = 0;
};
