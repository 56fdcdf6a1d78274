// What a keystroke costs in the real scratchpad: the key goes to the editor
// as the window system would send it, and the event loop then does what it
// does for a key (styling, evaluation at "=", the footer's counts within a
// frame, the note's write, the repaint). Needs a display: make bench runs it
// under Xvfb.
#include "FakeDesktop.h"
#include "FakePorts.h"
#include "math/CurrencyEngine.h"
#include "math/InlineMathParser.h"
#include "panel/OrvanePanel.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/SettingsFileStore.h"
#include "scratchpad/AnswerColumn.h"
#include "scratchpad/LiveNoteEditor.h"
#include "scratchpad/ScratchpadNote.h"
#include "scratchpad/ScratchpadSummary.h"
#include "scratchpad/ScratchpadView.h"
#include "state/AppState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

#include "BenchGoals.h"
#include "LatencyReport.h"

#include <algorithm>

#include <time.h>

namespace {

// A keystroke in a long note within one 120 Hz frame, everything it causes included.
constexpr double frameMilliseconds = 8.3;
[[maybe_unused]] const bool goalsAdded = addBenchGoals({
    {"keystrokeWithItsFooterAndSave/5000", "p95_ms", frameMilliseconds, "one 120 Hz frame"},
    {"typeAmongVariables/0", "p95_ms", frameMilliseconds, "one 120 Hz frame"},
    {"typeAmongVariables/1", "p95_ms", frameMilliseconds, "one 120 Hz frame"},
});

// Notes of typical lines, none the same: headings, prose, lists, assignments,
// answered and unanswered calculations, conversions.
QString noteOf(int lines)
{
    const QStringList kinds = {
        QStringLiteral("# Monthly budget %1"),
        QStringLiteral("Groceries and the usual weekly errands, week %1."),
        QStringLiteral("rent = 1200 + %1"),
        QStringLiteral("- [ ] utilities = 180 + %1 = 181"),
        QStringLiteral("rent * 12 + %1 = 14401"),
        QStringLiteral("15% of 2400 + %1"),
        QStringLiteral("$250 + \u20AC%1 = $251.09"),
        QStringLiteral("%1 usd to eur"),
        QString(),
        QStringLiteral("tools = 20 + 12 + %1 = 40"),
    };
    QStringList note;
    for (int i = 0; i < lines - 1; ++i) {
        const QString &kind = kinds.at(i % kinds.size());
        note.append(kind.isEmpty() ? kind : kind.arg(i));
    }
    note.append(QStringLiteral("total = rent * 12 + tools "));
    return note.join(QLatin1Char('\n'));
}

// A note of `lines` lines that defines `variables` different names, each
// used on the lines after it up to the next one.
QString noteWithVariables(int lines, int variables)
{
    const int span = lines / variables;
    QStringList note;
    for (int i = 0; i < lines; ++i) {
        const int name = i / span;
        if (i % span == 0)
            note.append(QStringLiteral("item_%1 = %2 + 1").arg(name).arg(i));
        else if (i % 3 == 0)
            note.append(QStringLiteral("Notes on item %1, line %2.").arg(name).arg(i));
        else
            note.append(QStringLiteral("item_%1 * %2 + %3").arg(name).arg(i % 7 + 1).arg(i));
    }
    return note.join(QLatin1Char('\n'));
}

// One scratchpad on screen, its note written to a settings file of its own.
struct ScratchpadRig
{
    explicit ScratchpadRig(int lines) : ScratchpadRig(noteOf(lines)) {}
    explicit ScratchpadRig(const QString &note)
        : noteStored((store.setString(ScratchpadNote::storageKey, note), true))
    {
        view.resize(440, 860);
        view.show();
        QApplication::processEvents();
    }

    QTemporaryDir folder;
    QtClock clock;
    SettingsFileStore store{folder.filePath(QStringLiteral("Orvane.conf"))};
    // Before the view below reads it.
    bool noteStored;
    FakeAppearance appearance;
    FakeMemory memory;
    AppState state{Ports{clock, store, appearance, memory}};
    FakeScreens screens;
    FakeSurface surface;
    OrvanePanel panel{state, clock, screens, surface};
    CurrencyEngine currency{store};
    ScratchpadView view{state, panel, currency, store, clock};
};

double typeKey(LiveNoteEditor &editor, Qt::Key key, const QString &text)
{
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &release);
    QApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}


// Typing at the end of a line, a keystroke every 30 ms (so the footer's
// frame and the note's writes happen in between, as they would).
void typeAtTheEndOf(benchmark::State &state, LiveNoteEditor &editor, int line, Qt::Key key, const QString &text)
{
    QTextCursor end(editor.document()->findBlockByNumber(line));
    end.movePosition(QTextCursor::EndOfBlock);
    editor.setTextCursor(end);
    std::vector<double> times;
    for (auto _ : state) {
        const double ms = typeKey(editor, key, text);
        state.SetIterationTime(ms / 1000);
        times.push_back(ms);
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 30)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    reportLatencies(state, times);
}

// Typing a letter in the middle of the note.
void typeCharacter(benchmark::State &state)
{
    ScratchpadRig rig(int(state.range(0)));
    typeAtTheEndOf(state, rig.view.editor(), int(state.range(0)) / 2, Qt::Key_X, QStringLiteral("x"));
}
BENCHMARK(typeCharacter)->Arg(1000)->Arg(5000)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

// The interface thread's own time, which other threads (the note's writer) do not count in.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Everything a keystroke makes the interface thread do, however it is spread
// over the frames after it: the key with the styling and the answers, the
// footer's count, the note's write and the repaints. Each keystroke is
// followed by more than ScratchpadNote::saveDelay, so each one is written.
void keystrokeWithItsFooterAndSave(benchmark::State &state)
{
    ScratchpadRig rig(int(state.range(0)));
    LiveNoteEditor &editor = rig.view.editor();
    QTextCursor middle(editor.document()->findBlockByNumber(int(state.range(0)) / 2));
    middle.movePosition(QTextCursor::EndOfBlock);
    editor.setTextCursor(middle);
    std::vector<double> times;
    for (auto _ : state) {
        const double start = threadMilliseconds();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&editor, &release);
        QEventLoop frames;
        QTimer::singleShot(int(ScratchpadNote::saveDelay * 1000) + 60, &frames, &QEventLoop::quit);
        frames.exec();
        const double ms = threadMilliseconds() - start;
        state.SetIterationTime(ms / 1000);
        times.push_back(ms);
    }
    reportLatencies(state, times);
}
BENCHMARK(keystrokeWithItsFooterAndSave)->Arg(5000)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

// Typing a digit into a note of 5,000 lines with 500 variables: at the end
// of a line that uses one (0), or at the end of the first variable's value
// (1), which changes the variables that every line below it is read with.
void typeAmongVariables(benchmark::State &state)
{
    ScratchpadRig rig(noteWithVariables(5000, 500));
    typeAtTheEndOf(state, rig.view.editor(), state.range(0) == 0 ? 2501 : 0, Qt::Key_1, QStringLiteral("1"));
}
BENCHMARK(typeAmongVariables)->Arg(0)->Arg(1)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

// Typing "=" at the end of the last line, which answers it from the whole
// note above; the answer and the "=" are taken back between keystrokes.
void typeEqualsOnTheLastLine(benchmark::State &state)
{
    ScratchpadRig rig(int(state.range(0)));
    LiveNoteEditor &editor = rig.view.editor();
    editor.moveCursor(QTextCursor::End);
    std::vector<double> times;
    for (auto _ : state) {
        const double ms = typeKey(editor, Qt::Key_Equal, QStringLiteral("="));
        state.SetIterationTime(ms / 1000);
        times.push_back(ms);
        if (editor.toPlainText().endsWith(QLatin1Char('='))) {
            state.SkipWithError("no answer was written");
            break;
        }
        editor.undo();
        editor.undo();
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 30)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    reportLatencies(state, times);
}
BENCHMARK(typeEqualsOnTheLastLine)->Arg(1000)->Arg(5000)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

// The answers and the footer's counts after a keystroke: the note read
// again with one line changed, and counted.
void footerCountsAfterAKeystroke(benchmark::State &state)
{
    MemoryKeyValueStore rates;
    const CurrencyEngine currency(rates);
    InlineMathParser parser(currency);
    AnswerColumn answers(parser);
    QString note = noteOf(int(state.range(0)));
    answers.read(note);
    const qsizetype middle = note.size() / 2;
    int keystroke = 0;
    for (auto _ : state) {
        note.insert(middle, QLatin1Char(keystroke++ % 2 ? ' ' : '1'));
        answers.read(note);
        benchmark::DoNotOptimize(ScratchpadSummary::counts(note, answers));
    }
}
BENCHMARK(footerCountsAfterAKeystroke)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// The note's write, at most one per ScratchpadNote::saveDelay while typing:
// the settings file replaced on disk.
void writeTheNote(benchmark::State &state)
{
    QTemporaryDir folder;
    SettingsFileStore store(folder.filePath(QStringLiteral("Orvane.conf")));
    QString note = noteOf(int(state.range(0)));
    int keystroke = 0;
    for (auto _ : state) {
        note.append(QLatin1Char(keystroke++ % 2 ? ' ' : '1'));
        store.setString(ScratchpadNote::storageKey, note);
        store.flush();
    }
}
BENCHMARK(writeTheNote)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
