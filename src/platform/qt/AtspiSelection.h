#pragma once

#include "platform/SelectionReader.h"

#include <QDBusConnection>

#include <optional>

// The selection an application shows to screen readers: on the desktop's
// accessibility bus (AT-SPI), the selected text of the application's focused
// element. Applications that expose nothing there (many browsers and
// Electron programs, Qt programs unless accessibility is on) give nothing.
// Every call is bounded, so a hung application cannot hold up a capture.
class AtspiSelection final : public SelectionReader
{
public:
    bool canRead() const override;
    std::optional<QString> selectedText(const DesktopApplication &source) override;

private:
    std::optional<QDBusConnection> accessibilityBus();

    std::optional<QDBusConnection> m_bus;
};
