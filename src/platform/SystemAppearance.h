#pragma once

#include <functional>

// Whether the desktop prefers a dark appearance, and word when that changes.
class SystemAppearance
{
public:
    virtual ~SystemAppearance() = default;
    SystemAppearance() = default;
    SystemAppearance(const SystemAppearance &) = delete;
    SystemAppearance &operator=(const SystemAppearance &) = delete;

    virtual bool isDark() const = 0;
    // The handler runs on the main thread after each change.
    virtual void setChangeHandler(std::function<void()> handler) = 0;
};
