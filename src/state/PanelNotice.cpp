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

void PanelNotice::offerUndo(const QString &what, std::function<void()> undo, std::function<void()> lapse)
{
    show(what + QStringLiteral(" — ") + undoTitle, undoTitle, std::move(undo), std::move(lapse));
}

void PanelNotice::press()
{
    if (!isShown())
        return;
    const auto action = std::move(m_press);
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
    m_press = {};
    m_lapse = {};
    m_timer.reset();
    return lapse;
}
