#include "panel/SlideEasing.h"

#include <cmath>

namespace SlideEasing {

double value(const QString &curve, double p)
{
    if (curve == QLatin1String("Spring"))
        return 1 - std::exp(-7 * p) * std::cos(7.5 * p);
    if (curve == QLatin1String("Snappy"))
        return 1 - std::pow(1 - p, 5);
    if (curve == QLatin1String("Linear"))
        return p;
    return 1 - std::pow(1 - p, 3);
}

QString hidingCurve(const QString &curve)
{
    return curve == QLatin1String("Spring") ? QStringLiteral("EaseOut") : curve;
}

} // namespace SlideEasing
