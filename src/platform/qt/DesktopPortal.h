#pragma once

#include "platform/AcceptedFileTypes.h"

#include <QString>
#include <QStringList>

#include <optional>

class QUrl;
class QWidget;

// The desktop's portal on the session bus (xdg-desktop-portal): its file
// chooser and its handler of addresses, which follow the desktop's own
// choices and work for sandboxed and Wayland sessions alike. Where no portal
// answers, Qt's routes stand in.
namespace DesktopPortal {

struct FileRequest
{
    // Names the site that asks, so the user knows what the files go to.
    QString title;
    bool multiple = false;
    bool directory = false;
    // What the page's input accepts; nothing offers every file.
    QList<AcceptedFileTypes::Pattern> accepted;
};

// The files the user chose, as local paths (none when cancelled); nothing
// when no portal offers a file chooser. Runs the event loop until answered,
// with the chooser over `parent`'s window.
std::optional<QStringList> chooseFiles(QWidget *parent, const FileRequest &request);

// Opens the address with the desktop's handler for it: through the portal,
// else through xdg-open.
void openUrl(const QUrl &url, QWidget *parent);

} // namespace DesktopPortal
