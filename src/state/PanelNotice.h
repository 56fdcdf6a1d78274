#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Clock;
class TimerHandle;

// The one-line bar in the panel with one button, or two for a question: the
// offer to undo a destructive action, a hint, or a site's request. It goes by
// itself after a few seconds.
// Only one notice shows at a time; a new one replaces the one on show,
// which then becomes final.
class PanelNotice final : public QObject
{
    Q_OBJECT

public:
    static constexpr double shownSeconds = 6;

    explicit PanelNotice(Clock &clock, QObject *parent = nullptr);
    ~PanelNotice() override;

    bool isShown() const { return bool(m_timer); }
    const QString &text() const { return m_text; }
    const QString &buttonTitle() const { return m_buttonTitle; }
    // Empty unless the notice is a question.
    const QString &secondButtonTitle() const { return m_secondButtonTitle; }
    bool isUndoOffer() const;

    // Shows the notice. `lapse` is what the notice puts off until it goes
    // without its button being pressed: when it times out, is dismissed or is
    // replaced by another.
    void show(const QString &text, const QString &buttonTitle, std::function<void()> press,
              std::function<void()> lapse = {});
    // A question with two answers; `lapse` is the answer when neither is given.
    void ask(const QString &question, const QString &firstTitle, std::function<void()> first,
             const QString &secondTitle, std::function<void()> second, std::function<void()> lapse);
    // "<what> — Undo": pressing Undo runs `undo`, and `lapse` never runs.
    void offerUndo(const QString &what, std::function<void()> undo, std::function<void()> lapse = {});
    // The button: runs its action, and the notice goes.
    void press();
    void pressSecond();
    void dismiss();

Q_SIGNALS:
    void changed();

private:
    // Takes the notice off without running anything; returns what it put off.
    std::function<void()> takeDown();
    void run(std::function<void()> PanelNotice::*button);

    Clock &m_clock;
    QString m_text;
    QString m_buttonTitle;
    QString m_secondButtonTitle;
    std::function<void()> m_press;
    std::function<void()> m_secondPress;
    std::function<void()> m_lapse;
    std::unique_ptr<TimerHandle> m_timer;
};
