#pragma once

#include <QUrl>

// Shows a file selected in its folder: asks the desktop's file manager over
// D-Bus (org.freedesktop.FileManager1.ShowItems) and, when none answers,
// opens the folder instead. Returns at once.
namespace FileReveal {

void reveal(const QUrl &file);

} // namespace FileReveal
