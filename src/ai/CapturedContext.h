#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

// Text selected in another application, staged for the prompt bar.
struct CapturedContext
{
    QUuid id = QUuid::createUuid();
    // Exactly as read, not trimmed.
    QString text;
    // "Active App" when the source is unknown; " (Clipboard)" is appended for clipboard text.
    QString appName;
    std::optional<QString> appBundleId;
    QDateTime timestamp;
    bool isFromClipboard = false;

    bool operator==(const CapturedContext &) const = default;
};
