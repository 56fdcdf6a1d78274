#include "icons/AppIconProvider.h"

#include <QCoreApplication>
#include <QFile>

namespace AppIconProvider {

QImage icon()
{
    const QString appDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    const QStringList locations = {
        QStringLiteral(":/icons/AppIcon.png"),
        appDir + QStringLiteral("/../share/icons/hicolor/256x256/apps/orvane.png"),
        QStringLiteral("/usr/share/icons/hicolor/256x256/apps/orvane.png"),
    };
    for (const QString &location : locations) {
        if (!QFile::exists(location))
            continue;
        const QImage image(location);
        if (!image.isNull())
            return image;
    }
    return {};
}

} // namespace AppIconProvider
