#pragma once

#include "platform/SelectionReader.h"

#include <QDBusConnection>

#include <optional>

// The selection an application shows to screen readers: on the desktop's
// accessibility bus (AT-SPI), the selected text of the application's focused
// element. Applications that expose nothing there (many browsers and
// Electron programs, Qt programs unless accessibility is on) give nothing.
// The bus is the one AT_SPI_BUS_ADDRESS names, else the one the session's
// org.a11y.Bus gives. The whole search, finding the bus included, ends
// within 150 ms, so a hung application cannot hold up a capture.
class AtspiSelection final : public SelectionReader
{
public:
    AtspiSelection();
    ~AtspiSelection() override;

    bool canRead() const override;
    // Replies before it returns.
    void readSelectedText(const DesktopApplication &source, Reply reply) override;

private:
    static std::optional<QString> givenAddress();
    std::optional<QDBusConnection> accessibilityBus(int timeoutMs);
    std::optional<QString> selectedText(qint64 processId);

    // Its own, so that no other connection of this process is taken for it.
    const QString m_connectionName;
    std::optional<QDBusConnection> m_bus;
};
