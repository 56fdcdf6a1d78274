#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The http or https address with a host that `text` names, or none. Read as
// leniently as a browser reads what it loads: characters a page's own address
// may hold unescaped ("|", "{", "}", "^", "`", spaces) are accepted, and tabs
// and line breaks are dropped, but no other scheme (file:, javascript:, data:)
// ever passes.
std::optional<QUrl> webAddress(const QString &text);
