#pragma once

#include <QUrl>

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
    UrlCommandHandler(AppState &state, OrvanePanel &panel, Clock &clock);

    // URLs of other schemes are ignored.
    void handleURLScheme(const QUrl &url);

private:
    void open(const QString &address);
    void addToShelf(const QUrl &url);
    void setTheme(const std::optional<QString> &name);

    AppState &m_state;
    OrvanePanel &m_panel;
    Clock &m_clock;
};
