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

// The address a person means by what they type into an address field. Text
// that names http or https must be such an address itself. Other text is a
// host with an optional port and path: this machine, an IP address or any
// host with a port (other than 443) is a local server and gets "http://";
// any other host must have a dot and gets "https://". Anything else is none.
std::optional<QUrl> typedWebAddress(const QString &text);
