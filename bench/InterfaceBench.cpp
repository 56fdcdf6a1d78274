// How the panel's interface feels, in this process on a real X display
// (make bench runs it under Xvfb), with tabs on pages served on 127.0.0.1.
#include "BenchGoals.h"
#include "EventLoopWait.h"
#include "FakePorts.h"
#include "LocalHttpServer.h"
#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "panel/PanelWindow.h"
#include "platform/qt/QtClock.h"
#include "state/AppState.h"
#include "ui/MainContainerView.h"
#include "ui/RailTabButton.h"
#include "ui/SidebarDockView.h"
#include "web/HibernationEngine.h"
#include "web/TabList.h"
#include "web/TabListJson.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace {

[[maybe_unused]] const bool goalsAdded = addBenchGoals({
    {"tabSwitch", "worst_ms", 1000.0 / 120, "one 120 Hz frame, over every switch"},
});

// A whole Orvane in this process, its tabs on two local pages.
struct Rig
{
    Rig()
    {
        QList<TabModel> tabs;
        for (const char *name : {"one", "two"}) {
            const QString path = QStringLiteral("/%1").arg(QLatin1String(name));
            server.setReply(path, {200, "<!doctype html><title>page</title><p>" + QByteArray(name), "text/html", {}, 0});
            tabs.append(TabList::makeTab(QString::fromLatin1(name), server.address().resolved(QUrl(path)),
                                         QStringLiteral("globe"), false, QDateTime::currentDateTimeUtc()));
        }
        store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false);
        store.values.insert(QStringLiteral("Orvane_isPinned"), true);
        store.setData(QStringLiteral("Orvane_Tabs"), TabListJson::encode(tabs));
        QElapsedTimer timer;
        timer.start();
        delegate = std::make_unique<AppDelegate>(Ports{clock, store, appearance, memory}, instance, QStringList(),
                                                 server.address());
        delegate->applicationDidFinishLaunching();
        spinUntil([this] { return delegate->window().isVisible(); });
        railShownMs = double(timer.nsecsElapsed()) / 1e6;
        spinUntil([this] {
            WebPage *page = delegate->hibernation().existingWebView(delegate->state().tabs().tabs().first().id);
            return page && page->title() == QStringLiteral("page");
        });
        firstPageMs = double(timer.nsecsElapsed()) / 1e6;
    }

    QWidget *viewOf(int tab) const
    {
        WebPage *page = delegate->hibernation().existingWebView(delegate->state().tabs().tabs().at(tab).id);
        return page ? page->view() : nullptr;
    }

    LocalHttpServer server;
    QtClock clock;
    MemoryStore store;
    FakeAppearance appearance;
    FakeMemory memory;
    SingleInstance instance;
    std::unique_ptr<AppDelegate> delegate;
    double railShownMs = 0;
    double firstPageMs = 0;
};

Rig &rig()
{
    // Never destroyed: its windows and pages would outlive the application
    // object, which main destroys first.
    static Rig &instance = *new Rig;
    return instance;
}

// Launch (in this process) to the panel with its rail on screen, and to the first page loaded.
void startUpToRailAndFirstPage(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(rig().firstPageMs / 1000);
    state.counters["rail_on_screen_ms"] = rig().railShownMs;
}
BENCHMARK(startUpToRailAndFirstPage)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// A click on the rail to the other (awake) tab's page on screen, painted.
void tabSwitch(benchmark::State &state)
{
    Rig &r = rig();
    const QList<RailTabButton *> buttons =
        r.delegate->window().findChild<MainContainerView *>()->rail().tabButtons();
    buttons.at(1)->click();
    spinUntil([&] { return r.viewOf(1) && r.viewOf(1)->isVisible(); });
    spinUntil([&] {
        WebPage *page = r.delegate->hibernation().existingWebView(r.delegate->state().tabs().tabs().at(1).id);
        return page && page->title() == QStringLiteral("page");
    });
    int next = 0;
    double worst = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        buttons.at(next)->click();
        QWidget *view = r.viewOf(next);
        while (!view || !view->isVisible()) {
            QCoreApplication::processEvents();
            view = r.viewOf(next);
        }
        r.delegate->window().repaint();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
        next = 1 - next;
    }
    state.counters["worst_ms"] = worst * 1000;
}
BENCHMARK(tabSwitch)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

// A theme change to the whole interface repainted in the new colours.
void themeChange(benchmark::State &state)
{
    Rig &r = rig();
    int index = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        r.delegate->state().settings().set(&Settings::currentTheme, allThemeModes[index++ % allThemeModes.size()]);
        r.delegate->window().repaint();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(themeChange)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace
