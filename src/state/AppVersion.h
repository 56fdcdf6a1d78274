#pragma once

#include <QString>

namespace AppVersion {
inline const QString current = QStringLiteral("1.0.0-beta.2");
inline const QString buildNumber = QStringLiteral("5");
inline const QString displayString = QStringLiteral("v") + current;
inline const QString fullDisplayString = QStringLiteral("Orvane v%1 (Build %2)").arg(current, buildNumber);
} // namespace AppVersion
