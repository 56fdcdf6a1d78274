#include "platform/UserAgentMode.h"

#include <QRegularExpression>

QString userAgentFor(UserAgentMode mode, const QString &engineAgent)
{
    static const QRegularExpression embedderToken(QStringLiteral(" QtWebEngine/\\S+"));
    QString desktop = engineAgent;
    desktop.remove(embedderToken);
    if (mode == UserAgentMode::Desktop)
        return desktop;
    static const QRegularExpression chrome(QStringLiteral("Chrome/(\\S+)"));
    const QRegularExpressionMatch version = chrome.match(engineAgent);
    // An engine that names no Chrome version has no honest phone form.
    if (!version.hasMatch())
        return desktop;
    // The reduced Android form Chrome itself sends: no device model.
    return QStringLiteral("Mozilla/5.0 (Linux; Android 10; K) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/%1 "
                          "Mobile Safari/537.36")
        .arg(version.captured(1));
}
