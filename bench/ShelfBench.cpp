// The drop shelf with 500 records: opening the screen (its cards are made
// when it is first shown, for what is in view) and scrolling through them. Needs a display: make
// bench runs it under Xvfb.
#include "BenchGoals.h"
#include "FakeDesktop.h"
#include "FakePorts.h"
#include "panel/OrvanePanel.h"
#include "platform/qt/QtClock.h"
#include "shelf/DropShelfView.h"
#include "shelf/StagedItemCardView.h"
#include "state/AppState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include "LatencyReport.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// Opening within a reaction that feels instant; scrolling and staging within a frame.
[[maybe_unused]] const bool goalsAdded = addBenchGoals({
    {"openTheScreen", "", 100, "a tenth of a second"},
    {"scrollThroughTheShelf", "", 1000.0 / 120, "one 120 Hz frame"},
    {"stageOnAFullShelf", "", 1000.0 / 120, "one 120 Hz frame"},
});

constexpr int recordCount = 500;

// Snippets, links, files and images (a fifth of them real pictures).
QList<DropItem> records(const QTemporaryDir &folder)
{
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor(40, 120, 200));
    QList<DropItem> items;
    for (int i = 0; i < recordCount; ++i) {
        switch (i % 5) {
        case 0:
            items.append(DropItem::fromText(QStringLiteral("Snippet %1: notes to carry between apps").arg(i)));
            break;
        case 1:
            items.append(DropItem::fromUrl(QUrl(QStringLiteral("https://site%1.example.com/page").arg(i))));
            break;
        case 2: {
            const QString path = folder.filePath(QStringLiteral("photo-%1.png").arg(i));
            picture.save(path);
            items.append(DropItem::fromFileUrl(QUrl::fromLocalFile(path)));
            break;
        }
        default:
            items.append(DropItem::fromFileUrl(QUrl::fromLocalFile(folder.filePath(QStringLiteral("report-%1.pdf").arg(i)))));
        }
    }
    return items;
}

struct ShelfRig
{
    ShelfRig()
    {
        fakes.store.setBool(QStringLiteral("Orvane_hasSeededSampleDropShelf"), true);
        state.shelf().setItems(records(folder));
    }

    std::unique_ptr<DropShelfView> makeView()
    {
        auto view = std::make_unique<DropShelfView>(state, panel, fakes.store, clock);
        view->resize(388, 860);
        return view;
    }

    QTemporaryDir folder;
    QtClock clock;
    FakePorts fakes;
    AppState state{Ports{clock, fakes.store, fakes.appearance, fakes.memory}};
    FakeScreens screens;
    FakeSurface surface;
    OrvanePanel panel{state, clock, screens, surface};
};


// From hidden to shown, laid out and painted.
void openTheScreen(benchmark::State &state)
{
    ShelfRig rig;
    std::vector<double> times;
    for (auto _ : state) {
        std::unique_ptr<DropShelfView> view = rig.makeView();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        view->show();
        view->repaint();
        QApplication::processEvents();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000);
        times.push_back(ms);
        // Cards are made for what is in view and a screen around it.
        if (view->cards().size() < 20)
            state.SkipWithError("the screen is not filled with cards");
    }
    reportLatencies(state, times);
}
BENCHMARK(openTheScreen)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// One step of the wheel (three lines) at a time, from the top to the bottom.
void scrollThroughTheShelf(benchmark::State &state)
{
    ShelfRig rig;
    std::unique_ptr<DropShelfView> view = rig.makeView();
    view->show();
    QApplication::processEvents();
    QScrollBar *bar = view->findChild<QScrollArea *>()->verticalScrollBar();
    std::vector<double> times;
    for (auto _ : state) {
        if (bar->value() >= bar->maximum())
            bar->setValue(0);
        QElapsedTimer timer;
        timer.start();
        bar->setValue(bar->value() + 60);
        QApplication::processEvents();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000);
        times.push_back(ms);
    }
    reportLatencies(state, times);
}
BENCHMARK(scrollThroughTheShelf)->UseManualTime()->Iterations(500)->Unit(benchmark::kMillisecond);

// A drop onto a full shelf, once its record is made: the shelf written to
// its file and the new card shown.
void stageOnAFullShelf(benchmark::State &state)
{
    ShelfRig rig;
    std::unique_ptr<DropShelfView> view = rig.makeView();
    view->show();
    QApplication::processEvents();
    const DropItem item = DropItem::fromText(QStringLiteral("One more"));
    std::vector<double> times;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        rig.state.shelf().addDropItems({item});
        QApplication::processEvents();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000);
        times.push_back(ms);
        rig.state.shelf().removeDropItem(item.id);
        QApplication::processEvents();
    }
    reportLatencies(state, times);
}
BENCHMARK(stageOnAFullShelf)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

} // namespace
