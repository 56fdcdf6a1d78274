#include "state/PanelNotice.h"

#include "platform/Clock.h"

namespace {
const QString undoTitle = QStringLiteral("Undo");
} // namespace

PanelNotice::PanelNotice(Clock &clock, QObject *parent) : QObject(parent), m_clock(clock) {}

PanelNotice::~PanelNotice() = default;

bool PanelNotice::isUndoOffer() const
{
    return isShown() && m_buttonTitle == undoTitle;
}

void PanelNotice::show(const QString &text, const QString &buttonTitle, std::function<void()> press,
                       std::function<void()> lapse)
{
    if (const auto replaced = takeDown())
        replaced();
    m_text = text;
    m_buttonTitle = buttonTitle;
    m_press = std::move(press);
    m_lapse = std::move(lapse);
    m_timer = m_clock.singleShot(shownSeconds, [this] { dismiss(); });
    Q_EMIT changed();
}

void PanelNotice::ask(const QString &question, const QString &firstTitle, std::function<void()> first,
                      const QString &secondTitle, std::function<void()> second, std::function<void()> lapse)
{
    show(question, firstTitle, std::move(first), std::move(lapse));
    m_secondButtonTitle = secondTitle;
    m_secondPress = std::move(second);
    Q_EMIT changed();
}

void PanelNotice::offerUndo(const QString &what, std::function<void()> undo, std::function<void()> lapse)
{
    show(what + QStringLiteral(" — ") + undoTitle, undoTitle, std::move(undo), std::move(lapse));
}

void PanelNotice::press()
{
    run(&PanelNotice::m_press);
}

void PanelNotice::pressSecond()
{
    run(&PanelNotice::m_secondPress);
}

void PanelNotice::run(std::function<void()> PanelNotice::*button)
{
    if (!isShown())
        return;
    const auto action = std::move(this->*button);
    takeDown();
    Q_EMIT changed();
    if (action)
        action();
}

void PanelNotice::dismiss()
{
    if (!isShown())
        return;
    const auto lapse = takeDown();
    Q_EMIT changed();
    if (lapse)
        lapse();
}

std::function<void()> PanelNotice::takeDown()
{
    if (!isShown())
        return {};
    auto lapse = std::move(m_lapse);
    m_text.clear();
    m_buttonTitle.clear();
    m_secondButtonTitle.clear();
    m_press = {};
    m_secondPress = {};
    m_lapse = {};
    m_timer.reset();
    return lapse;
}
