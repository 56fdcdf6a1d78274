#include "ai/ContextDetector.h"

#include "ai/ApplicationNames.h"
#include "ai/CopyChord.h"
#include "platform/Clock.h"
#include "platform/KeySynthesizer.h"
#include "platform/Pasteboard.h"
#include "platform/SelectionReader.h"

#include <algorithm>
#include <memory>

namespace {

bool isBlank(const std::optional<QString> &text)
{
    return !text || text->trimmed().isEmpty();
}

} // namespace

ContextDetector::ContextDetector(Desktop desktop) : m_desktop(desktop) {}

bool ContextDetector::hasAccessibilityPermission() const
{
    const QList<SelectionReader *> &readers = m_desktop.selectionReaders;
    return std::any_of(readers.cbegin(), readers.cend(), [](const SelectionReader *reader) { return reader->canRead(); });
}

std::optional<CapturedContext> ContextDetector::captureContext()
{
    const std::optional<DesktopApplication> front = m_desktop.applications.frontmost();
    const std::optional<DesktopApplication> application = sourceApplication(front);
    const Source source = describe(application);

    for (SelectionReader *reader : application ? m_desktop.selectionReaders : QList<SelectionReader *>()) {
        const std::optional<QString> selected = awaitText(
            [&](const SelectionReader::Reply &reply) { reader->readSelectedText(*application, reply); });
        if (!isBlank(selected))
            return context(*selected, source, false);
    }
    if (const std::optional<QString> copied = copiedText(front))
        return context(*copied, source, false);
    const std::optional<QString> clipboard = clipboardText();
    if (!isBlank(clipboard))
        return context(*clipboard, Source{source.appName + QStringLiteral(" (Clipboard)"), source.appBundleId}, true);
    return std::nullopt;
}

// When Orvane itself is in front (capture from the palette), the selection
// is the one of the application the user most recently raised.
std::optional<DesktopApplication> ContextDetector::sourceApplication(const std::optional<DesktopApplication> &front)
{
    if (!front || !front->isThisApplication)
        return front;
    const QList<DesktopApplication> regular = m_desktop.applications.regularApplications();
    const auto other = std::find_if(regular.cbegin(), regular.cend(),
                                    [](const DesktopApplication &application) { return !application.isThisApplication; });
    if (other == regular.cend())
        return std::nullopt;
    return *other;
}

ContextDetector::Source ContextDetector::describe(const std::optional<DesktopApplication> &application)
{
    if (!application)
        return {QStringLiteral("Active App"), std::nullopt};
    const QString &identifier = application->className.isEmpty() ? application->instanceName : application->className;
    const std::optional<QString> installed = m_desktop.names.nameFor(application->instanceName, identifier);
    Source source{installed.value_or(identifier), std::nullopt};
    if (source.appName.isEmpty())
        source.appName = QStringLiteral("Active App");
    if (!identifier.isEmpty())
        source.appBundleId = identifier;
    return source;
}

// Keys are sent only when the front application is known, and chosen for
// the window they really reach, which need not be the front one (the focus
// may follow the pointer). When that is Orvane itself they would copy from
// Orvane, not from the source, so none are sent.
std::optional<QString> ContextDetector::copiedText(const std::optional<DesktopApplication> &front)
{
    if (!front || front->isThisApplication)
        return std::nullopt;
    const std::optional<DesktopApplication> receiver = m_desktop.applications.keyboardReceiver();
    if (!receiver || receiver->isThisApplication)
        return std::nullopt;
    const std::optional<CopyChord> chord = copyChordFor(*receiver);
    if (!chord)
        return std::nullopt;

    waitForKeysReleased();
    Pasteboard &pasteboard = m_desktop.pasteboard;
    Clock &clock = m_desktop.clock;
    const quint64 before = pasteboard.changeCount();
    if (!m_desktop.keys.sendChord(chord->key, chord->modifiers))
        return std::nullopt;
    const double start = clock.uptime();
    while (clock.uptime() - start < copyWait) {
        if (pasteboard.changeCount() != before) {
            const std::optional<QString> text = clipboardText();
            if (!isBlank(text))
                return text;
        }
        clock.runFor(pollInterval);
    }
    return std::nullopt;
}

std::optional<QString> ContextDetector::clipboardText()
{
    return awaitText([this](const SelectionReader::Reply &reply) { m_desktop.pasteboard.readText(reply); });
}

// The hot key that started the capture is usually still down: while it is,
// the keyboard belongs to Orvane's key grab, and a held Alt would turn the
// copy into Ctrl+Alt+C.
void ContextDetector::waitForKeysReleased()
{
    Clock &clock = m_desktop.clock;
    const double start = clock.uptime();
    while (m_desktop.keys.keysHeld() && clock.uptime() - start < keyReleaseWait)
        clock.runFor(pollInterval);
}

std::optional<QString> ContextDetector::awaitText(const std::function<void(SelectionReader::Reply)> &ask)
{
    // A reply that comes after the wait is given up lands here, unread.
    const auto answer = std::make_shared<std::optional<std::optional<QString>>>();
    ask([answer](const std::optional<QString> &text) { *answer = text; });
    Clock &clock = m_desktop.clock;
    const double start = clock.uptime();
    while (!*answer && clock.uptime() - start < readWait)
        clock.runFor(pollInterval);
    return answer->value_or(std::nullopt);
}

CapturedContext ContextDetector::context(const QString &text, const Source &source, bool fromClipboard) const
{
    CapturedContext captured;
    captured.text = text;
    captured.appName = source.appName;
    captured.appBundleId = source.appBundleId;
    captured.timestamp = m_desktop.clock.now();
    captured.isFromClipboard = fromClipboard;
    return captured;
}
