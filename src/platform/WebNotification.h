#pragma once

#include <QImage>
#include <QString>
#include <QUrl>

#include <functional>

// A notification a web page shows (its site was allowed to), with the page's
// own handlers for what then happens to it.
struct WebNotification
{
    QUrl origin;
    QString title;
    QString body;
    QImage icon;
    std::function<void()> clicked;
    std::function<void()> closed;
};
