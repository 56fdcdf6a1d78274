// Memory that must not creep: fourteen tabs, more than the pages kept alive,
// and the rail's buttons pressed in turn every quarter second, so that pages
// are made and dropped again and again while the data stays the same. Prints
// the main process's resident memory every 100 switches and its growth per
// 100 switches after the first 100, against its goal. Needs a display (make
// bench runs Xvfb).
#include "GuiBenchSetup.h"
#include "InProcessOrvane.h"
#include "ResidentMemory.h"
#include "ui/MainContainerView.h"
#include "ui/RailTabButton.h"
#include "ui/SidebarDockView.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <vector>

namespace {

constexpr int tabCount = 14;
constexpr int switches = 500;
constexpr int sampleEvery = 100;
constexpr int pressIntervalMs = 250;
constexpr double goalMiBPer100 = 1.0;

} // namespace

int main(int argc, char **argv)
{
    const auto home = setUpGuiBench();
    QApplication app(argc, argv);
    QStringList titles;
    for (int i = 0; i < tabCount; ++i)
        titles.append(QStringLiteral("Tab%1").arg(i));
    InProcessOrvane orvane(titles, "<ul>" + QByteArray("<li>a row of the page</li>").repeated(500) + "</ul>",
                           InProcessOrvane::Shelf::Empty);
    const QList<RailTabButton *> buttons = orvane.container().rail().tabButtons();
    // Pressed from the application's own event loop, as the user's presses
    // come: what the engine leaves to be deleted later is deleted there.
    std::vector<double> samples;
    int pressed = 0;
    QTimer presses;
    presses.setInterval(pressIntervalMs);
    QObject::connect(&presses, &QTimer::timeout, &app, [&] {
        if (pressed % sampleEvery == 0) {
            samples.push_back(residentMiB(QCoreApplication::applicationPid()));
            std::printf("after %d switches: %.1f MiB\n", pressed, samples.back());
            std::fflush(stdout);
        }
        if (pressed == switches) {
            QCoreApplication::quit();
            return;
        }
        buttons.at(pressed++ % buttons.size())->click();
    });
    presses.start();
    QApplication::exec();
    const double growth = (samples.back() - samples.at(1)) / double(samples.size() - 2);
    std::printf("goals: main process growth %.2f MiB per %d switches after the first %d (<= %.1f MiB: %s)\n", growth,
                sampleEvery, sampleEvery, goalMiBPer100, growth <= goalMiBPer100 ? "met" : "MISSED");
    return 0;
}
