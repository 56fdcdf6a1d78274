#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// A well-known web app the gallery offers.
struct GalleryAppItem
{
    QString id;
    QString name;
    QUrl url;
    QString iconKey;
    bool isAI = false;
};

namespace AppCatalog {

// The 22 apps of the gallery, in display order, each at the https address
// of the service's web application.
const QList<GalleryAppItem> &entries();

} // namespace AppCatalog
