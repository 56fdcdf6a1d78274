#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The http or https address with a host that `text` names, or none: no
// other scheme, and nothing without a host, ever becomes a tab.
std::optional<QUrl> paletteWebAddress(const QString &text);
