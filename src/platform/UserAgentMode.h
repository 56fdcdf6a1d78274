#pragma once

#include <QString>

#include <array>

// The identity a web page presents to sites: each has its own user agent
// and its own cookies and storage.
enum class UserAgentMode { Desktop, Mobile };

inline constexpr std::array allUserAgentModes = {UserAgentMode::Desktop, UserAgentMode::Mobile};

// The user-agent string pages of that identity send, made from the web
// engine's own (`engineAgent`): Chrome on this system without the embedder's
// token, or the same Chrome on an Android phone. A site then sees the browser
// the engine really is, the one its client hints and features name too.
QString userAgentFor(UserAgentMode mode, const QString &engineAgent);
