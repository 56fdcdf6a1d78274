#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

// What a drag dropped on Orvane carries, as far as the shelf can take it: its
// addresses (files and links) and its texts, each in the order the drag gave
// them.
struct DragPayload
{
    QList<QUrl> urls;
    QStringList texts;
};
