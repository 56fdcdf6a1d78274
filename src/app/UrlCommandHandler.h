#pragma once

#include <QString>
#include <QUrl>

#include <optional>

class AppState;
class Clock;
class OrvanePanel;

// Answers orvane:// URLs, the small command language that scripts,
// launchers and web pages use to drive the panel:
// toggle, open?url=, scratchpad, shelf|add?text=&file=&link=, pin,
// ai?prompt=, settings, theme?name=, width?val=. Anything else shows the panel.
class UrlCommandHandler final
{
public:
    // Why a command was refused, as one line for the start that sent it
    // ("refused orvane://open: …"); nothing when it was carried out.
    using Refusal = std::optional<QString>;

    UrlCommandHandler(AppState &state, OrvanePanel &panel, Clock &clock);

    // URLs of other schemes are ignored.
    [[nodiscard]] Refusal handleURLScheme(const QUrl &url);

private:
    Refusal open(const QUrl &url);
    Refusal addToShelf(const QUrl &url);
    Refusal setTheme(const QUrl &url);
    Refusal setWidth(const QUrl &url);

    AppState &m_state;
    OrvanePanel &m_panel;
    Clock &m_clock;
};
