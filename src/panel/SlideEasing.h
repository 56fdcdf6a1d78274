#pragma once

#include <QString>

// The curves a slide may follow, by their stored names: "Spring", "Snappy",
// "Linear"; anything else (such as "EaseOut") is the cubic ease-out.
namespace SlideEasing {

// The eased progress for linear progress p in 0…1; "Spring" overshoots.
double value(const QString &curve, double p);
// Hiding never overshoots: a spring becomes the cubic ease-out.
QString hidingCurve(const QString &curve);

} // namespace SlideEasing
