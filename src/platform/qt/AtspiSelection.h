#pragma once

#include "platform/SelectionReader.h"

#include <QDBusConnection>

#include <optional>

// The selection an application shows to screen readers: on the desktop's
// accessibility bus (AT-SPI), the selected text of the application's focused
// element. Applications that expose nothing there (many browsers and
// Electron programs, Qt programs unless accessibility is on) give nothing.
// The bus is the one AT_SPI_BUS_ADDRESS names, else the one the session's
// org.a11y.Bus gives. Every call is bounded, so a hung application cannot
// hold up a capture.
class AtspiSelection final : public SelectionReader
{
public:
    AtspiSelection();
    ~AtspiSelection() override;

    bool canRead() const override;
    std::optional<QString> selectedText(const DesktopApplication &source) override;

private:
    static std::optional<QString> givenAddress();
    std::optional<QDBusConnection> accessibilityBus();

    // Its own, so that no other connection of this process is taken for it.
    const QString m_connectionName;
    std::optional<QDBusConnection> m_bus;
};
