#pragma once

#include <QString>

#include <functional>

// The name a downloaded file is saved under in the download folder.
namespace DownloadName {

// The server's name made safe: its last path part only, no control
// characters, no leading dots (a hidden or a climbing name), at most 255
// bytes with its extension kept; "download" when nothing is left.
QString safe(const QString &suggested);

// The first of "name.ext", "name (1).ext", "name (2).ext", … that `taken`
// says is free.
QString unused(const QString &name, const std::function<bool(const QString &)> &taken);

} // namespace DownloadName
