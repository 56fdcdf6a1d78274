#include "platform/Ports.h"

#include <QtGlobal>

#include <optional>

namespace {
std::optional<Ports> &slot()
{
    static std::optional<Ports> ports;
    return ports;
}
} // namespace

void installPorts(const Ports &ports)
{
    slot().emplace(ports);
}

const Ports &installedPorts()
{
    Q_ASSERT_X(slot().has_value(), "installedPorts", "installPorts() was not called");
    return *slot();
}
