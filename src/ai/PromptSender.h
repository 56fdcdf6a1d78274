#pragma once

#include <QString>

#include <functional>
#include <memory>

class Clock;
class TimerHandle;
class WebPage;

// Types a prompt into a tab's page and reports whether it arrived. A page
// still loading (a tab just woken from hibernation, a slow site) gets the
// prompt once, when it has finished; one that never finishes gets nothing.
class PromptSender final
{
public:
    static constexpr double loadWaitSeconds = 10;
    static constexpr double loadPollSeconds = 0.1;

    // The tab's page as it is now; none once it is gone.
    using PageLookup = std::function<WebPage *()>;
    // True only when the page's script reports that it placed the text.
    using Done = std::function<void(bool placed)>;

    explicit PromptSender(Clock &clock);
    ~PromptSender();
    PromptSender(const PromptSender &) = delete;
    PromptSender &operator=(const PromptSender &) = delete;

    // A send still waiting for its page is given up (reported as not placed).
    void send(PageLookup page, const QString &prompt, Done done);

private:
    void checkWaitingPage();
    void inject(WebPage &page, const QString &prompt, Done done);
    void finishWaiting(bool placed);

    struct Waiting
    {
        PageLookup page;
        QString prompt;
        Done done;
        double deadline = 0;
    };

    Clock &m_clock;
    std::unique_ptr<Waiting> m_waiting;
    std::unique_ptr<TimerHandle> m_poll;
    // Script results arrive later; they must not reach a sender that is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
