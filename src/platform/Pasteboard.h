#pragma once

#include <QString>

#include <functional>
#include <optional>

// The desktop's clipboard, as far as capturing a selection needs it.
class Pasteboard
{
public:
    using Reply = std::function<void(const std::optional<QString> &text)>;

    virtual ~Pasteboard() = default;
    Pasteboard() = default;
    Pasteboard(const Pasteboard &) = delete;
    Pasteboard &operator=(const Pasteboard &) = delete;

    // Grows whenever the clipboard's content changes.
    virtual quint64 changeCount() const = 0;
    // Asks for its plain text. `reply` gets it, or nothing when it holds no
    // text: at most once, perhaps before this returns, perhaps never (an
    // owner that does not answer). Asking again gives up the reply still owed.
    virtual void readText(Reply reply) = 0;
};
