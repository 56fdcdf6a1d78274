#pragma once

#include "platform/UserAgentMode.h"

class QWebEngineProfile;

// The two web identities, "desktop" and "mobile": persistent profiles shared
// by every tab of that mode, so sign-ins survive restarts, each sending its
// own user-agent string (header and navigator.userAgent alike).
namespace WebProfiles {

QWebEngineProfile *profile(UserAgentMode mode);

} // namespace WebProfiles
