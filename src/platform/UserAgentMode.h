#pragma once

#include <QString>

#include <array>

// The identity a web page presents to sites: each has its own user agent
// and its own cookies and storage.
enum class UserAgentMode { Desktop, Mobile };

inline constexpr std::array allUserAgentModes = {UserAgentMode::Desktop, UserAgentMode::Mobile};

// The user-agent string pages of that identity send.
QString customUserAgent(UserAgentMode mode);
