#include "ai/PromptSender.h"

#include "ai/PromptInjection.h"
#include "platform/Clock.h"
#include "platform/WebPage.h"

#include <QVariant>

PromptSender::PromptSender(Clock &clock) : m_clock(clock)
{
}

PromptSender::~PromptSender() = default;

void PromptSender::send(PageLookup page, const QString &prompt, Done done)
{
    finishWaiting(false);
    WebPage *current = page();
    if (!current) {
        done(false);
        return;
    }
    if (!current->isLoading()) {
        inject(*current, prompt, std::move(done));
        return;
    }
    // A script run now would meet the document that is about to be replaced.
    m_waiting = std::make_unique<Waiting>(Waiting{std::move(page), prompt, std::move(done),
                                                  m_clock.uptime() + loadWaitSeconds});
    m_poll = m_clock.repeating(loadPollSeconds, [this] { checkWaitingPage(); });
}

void PromptSender::checkWaitingPage()
{
    WebPage *current = m_waiting->page();
    if (!current || m_clock.uptime() >= m_waiting->deadline) {
        finishWaiting(false);
        return;
    }
    if (current->isLoading())
        return;
    const std::unique_ptr<Waiting> waiting = std::move(m_waiting);
    m_poll.reset();
    inject(*current, waiting->prompt, waiting->done);
}

void PromptSender::inject(WebPage &page, const QString &prompt, Done done)
{
    page.runJavaScript(promptInjectionScript(prompt),
                       [alive = std::weak_ptr<bool>(m_alive), done = std::move(done)](const QVariant &result) {
                           if (alive.expired())
                               return;
                           // An error or a page without an input both leave the text staged.
                           done(result.typeId() == QMetaType::Bool && result.toBool());
                       });
}

void PromptSender::finishWaiting(bool placed)
{
    m_poll.reset();
    if (const std::unique_ptr<Waiting> waiting = std::move(m_waiting))
        waiting->done(placed);
}
