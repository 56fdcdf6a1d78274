#pragma once

#include <QString>

#include <optional>

// The desktop's clipboard, as far as capturing a selection needs it.
class Pasteboard
{
public:
    virtual ~Pasteboard() = default;
    Pasteboard() = default;
    Pasteboard(const Pasteboard &) = delete;
    Pasteboard &operator=(const Pasteboard &) = delete;

    // Grows whenever the clipboard's content changes.
    virtual quint64 changeCount() const = 0;
    // Its plain text; nothing when it holds no text.
    virtual std::optional<QString> text() const = 0;
};
