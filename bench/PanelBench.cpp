// How the panel feels: start-up time, slide smoothness and reaction time, on
// a real X display (make bench runs this under Xvfb).
#include "BenchGoals.h"
#include "PanelRig.h"
#include "app/UrlCommandHandler.h"
#include "platform/x11/X11PointerMonitor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// A start within a second; reactions that feel instant (a tenth of a
// second); a slide that never skips more than one frame.
[[maybe_unused]] const bool goalsAdded = addBenchGoals({
    {"startUp", "", 1000, "a second to the panel settled"},
    {"slideIn", "largest_gap_ms", 2000.0 / 120, "two 120 Hz frames"},
    {"reactionToUrl", "", 100, "a tenth of a second"},
    {"reactionToClickOutside", "", 100, "a tenth of a second, xdotool's start included"},
});

// Runs the event loop until the condition holds or ten seconds pass.
bool spinUntil(const std::function<bool()> &condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

// The panel and the URL commands that move it.
struct PanelBenchRig : PanelRig
{
    UrlCommandHandler urls{state, panel, clock};
};

PanelBenchRig &rig()
{
    // Never destroyed: its windows and pages would outlive the application
    // object, which main destroys first.
    static PanelBenchRig &instance = *new PanelBenchRig;
    return instance;
}

// Process start to "Panel displayed successfully.", and to the slide's end.
void startUp(benchmark::State &state)
{
    double displayedTotal = 0;
    for (auto _ : state) {
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        QProcess orvane;
        orvane.setProcessEnvironment(environment);
        orvane.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer timer;
        timer.start();
        orvane.start(QStringLiteral(ORVANE_BINARY), {});
        QByteArray log;
        while (!log.contains("Panel displayed successfully.") && timer.elapsed() < 10000) {
            orvane.waitForReadyRead(5);
            log += orvane.readAll();
        }
        displayedTotal += double(timer.nsecsElapsed()) / 1e9;
        // The slide's end: the window reaches its target (docked right, 440
        // wide) and stays there; a spring passes the target once on the way.
        const QByteArray settled = "X=" + QByteArray::number(QApplication::primaryScreen()->geometry().width() - 440) + "\n";
        qint64 arrivedNs = -1;
        QElapsedTimer stable;
        while (timer.elapsed() < 10000 && !(arrivedNs >= 0 && stable.elapsed() > 100)) {
            QProcess xdotool;
            xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--all"),
                                                      QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                                      QString::number(orvane.processId()), QStringLiteral("--name"),
                                                      QStringLiteral("^Orvane$"), QStringLiteral("getwindowgeometry"),
                                                      QStringLiteral("--shell")});
            xdotool.waitForFinished();
            if (!xdotool.readAllStandardOutput().contains(settled)) {
                arrivedNs = -1;
            } else if (arrivedNs < 0) {
                arrivedNs = timer.nsecsElapsed();
                stable.start();
            }
        }
        state.SetIterationTime(double(arrivedNs) / 1e9);
        orvane.terminate();
        orvane.waitForFinished();
    }
    state.counters["displayed_s"] = benchmark::Counter(displayedTotal / double(state.iterations()));
}
BENCHMARK(startUp)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// One slide in: how many of the 120 frames a second arrive, the longest gap,
// and whether it ends exactly on target.
void slideIn(benchmark::State &state)
{
    PanelRig &r = rig();
    int steps = 0;
    qint64 largestGapNs = 0;
    double exactEnds = 0;
    for (auto _ : state) {
        r.panel.hidePanel(false);
        spinUntil([&] { return !r.window.isVisible() && !r.state.isPanelVisible(); });
        QElapsedTimer sinceLast;
        bool finished = false;
        const auto stepped = QObject::connect(&r.panel, &OrvanePanel::slideStepped, &r.panel, [&] {
            if (sinceLast.isValid())
                largestGapNs = std::max(largestGapNs, sinceLast.nsecsElapsed());
            sinceLast.start();
            ++steps;
        });
        const auto done = QObject::connect(&r.panel, &OrvanePanel::slideFinished, &r.panel, [&] { finished = true; });
        QElapsedTimer timer;
        timer.start();
        r.panel.showPanel(true);
        spinUntil([&] { return finished; });
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        QObject::disconnect(stepped);
        QObject::disconnect(done);
        const auto screen = PanelGeometry::screenContaining(r.screens.screens(), r.screens.pointerLocation());
        exactEnds += r.window.frame() == r.panel.calculateTargetFrame(*screen).frame ? 1 : 0;
    }
    const double seconds = r.state.settings().values().animationDuration * double(state.iterations());
    state.counters["steps_per_s"] = benchmark::Counter(steps / seconds);
    state.counters["largest_gap_ms"] = benchmark::Counter(double(largestGapNs) / 1e6);
    state.counters["exact_end"] = benchmark::Counter(exactEnds / double(state.iterations()));
}
BENCHMARK(slideIn)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// From `trigger` (on a shown panel) to the first frame of the slide out it causes.
void measureReaction(benchmark::State &state, const std::function<void()> &trigger)
{
    PanelRig &r = rig();
    for (auto _ : state) {
        r.panel.showPanel(false);
        spinUntil([&] { return r.state.isPanelVisible(); });
        bool moved = false;
        const auto stepped = QObject::connect(&r.panel, &OrvanePanel::slideStepped, &r.panel, [&] { moved = true; });
        QElapsedTimer timer;
        timer.start();
        trigger();
        spinUntil([&] { return moved; });
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        QObject::disconnect(stepped);
        spinUntil([&] { return !r.window.isVisible(); });
    }
}

void reactionToUrl(benchmark::State &state)
{
    measureReaction(state, [] { rig().urls.handleURLScheme(QUrl(QStringLiteral("orvane://toggle"))); });
}
BENCHMARK(reactionToUrl)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// A real click outside (XTest, through xdotool); includes starting xdotool.
void reactionToClickOutside(benchmark::State &state)
{
    static X11PointerMonitor monitor;
    static const bool started = [] {
        monitor.start({[] { rig().visibility.pointerMoved(); }, [] { rig().visibility.mouseButtonPressed(); }});
        return true;
    }();
    Q_UNUSED(started);
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("100"), QStringLiteral("100")});
    measureReaction(state, [] { QProcess::startDetached(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")}); });
}
BENCHMARK(reactionToClickOutside)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
