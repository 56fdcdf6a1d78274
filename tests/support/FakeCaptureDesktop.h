#pragma once

#include "FakeClock.h"
#include "ai/ApplicationNames.h"
#include "ai/ContextDetector.h"
#include "platform/KeySynthesizer.h"
#include "platform/Pasteboard.h"
#include "platform/SelectionReader.h"

#include <QList>

#include <functional>
#include <memory>

class FakeDesktopApplications final : public DesktopApplications
{
public:
    std::optional<DesktopApplication> frontmost() override { return front; }
    std::optional<DesktopApplication> keyboardReceiver() override { return keysReachFront ? front : receiver; }
    QList<DesktopApplication> regularApplications() override { return regular; }

    std::optional<DesktopApplication> front;
    // Where the keys go when not to the front window.
    bool keysReachFront = true;
    std::optional<DesktopApplication> receiver;
    QList<DesktopApplication> regular;
};

// A selection whose owner answers at once, or never when it `hangs`.
class FakeSelectionReader final : public SelectionReader
{
public:
    bool canRead() const override { return readable; }
    void readSelectedText(const DesktopApplication &source, Reply reply) override
    {
        askedAbout.append(source.className);
        if (!hangs)
            reply(selection);
    }

    bool readable = true;
    bool hangs = false;
    std::optional<QString> selection;
    QStringList askedAbout;
};

// A clipboard whose owner answers at once, or never when it `hangs`.
class FakePasteboard final : public Pasteboard
{
public:
    quint64 changeCount() const override { return count; }
    void readText(Reply reply) override
    {
        if (!hangs)
            reply(content);
    }
    void copy(const std::optional<QString> &text)
    {
        content = text;
        ++count;
    }

    quint64 count = 0;
    bool hangs = false;
    std::optional<QString> content;
};

// A keyboard whose keys are held until a moment of the fake clock, and an
// application that answers a copy chord by putting `copies` on the clipboard
// after `copyDelay` seconds.
class FakeKeySynthesizer final : public KeySynthesizer
{
public:
    FakeKeySynthesizer(FakeClock &clock, FakePasteboard &pasteboard) : m_clock(clock), m_pasteboard(pasteboard) {}

    bool keysHeld() override { return m_clock.uptime() < heldUntil; }
    bool sendChord(Qt::Key key, Qt::KeyboardModifiers modifiers) override
    {
        sent.append({key, modifiers, keysHeld()});
        if (!accepts)
            return false;
        if (copies)
            m_answer = m_clock.singleShot(copyDelay, [this] { m_pasteboard.copy(copies); });
        return true;
    }

    struct Chord
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool whileKeysHeld;
    };

    double heldUntil = 0;
    bool accepts = true;
    std::optional<QString> copies;
    double copyDelay = 0.03;
    QList<Chord> sent;

private:
    FakeClock &m_clock;
    FakePasteboard &m_pasteboard;
    std::unique_ptr<TimerHandle> m_answer;
};

// The desktop a capture sees, all fake, and a detector reading it.
struct FakeCaptureDesktop
{
    explicit FakeCaptureDesktop(FakeClock &clock) : clock(clock) {}

    FakeClock &clock;
    FakeDesktopApplications applications;
    FakeSelectionReader selection;
    FakePasteboard pasteboard;
    FakeKeySynthesizer keys{clock, pasteboard};
    ApplicationNames names{{}};
    ContextDetector detector{{applications, {&selection}, keys, pasteboard, clock, names}};
};
