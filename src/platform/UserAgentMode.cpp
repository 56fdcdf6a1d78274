#include "platform/UserAgentMode.h"

QString customUserAgent(UserAgentMode mode)
{
    if (mode == UserAgentMode::Desktop) {
        return QStringLiteral("Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 "
                              "(KHTML, like Gecko) Version/17.4 Safari/605.1.15");
    }
    return QStringLiteral("Mozilla/5.0 (iPhone; CPU iPhone OS 17_4 like Mac OS X) AppleWebKit/605.1.15 "
                          "(KHTML, like Gecko) Version/17.4 Mobile/15E148 Safari/604.1");
}
