#pragma once

#include "platform/UserAgentMode.h"
#include "platform/WebNotification.h"

#include <functional>

class QWebEngineProfile;

// The two web identities, "desktop" and "mobile": persistent profiles shared
// by every tab of that mode, so sign-ins survive restarts, each sending its
// own user-agent string (header and navigator.userAgent alike).
namespace WebProfiles {

QWebEngineProfile *profile(UserAgentMode mode);
// The notifications pages of either identity show go to `present`.
void presentNotifications(const std::function<void(WebNotification)> &present);

} // namespace WebProfiles
