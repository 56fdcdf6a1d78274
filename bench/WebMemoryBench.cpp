// What web tabs cost in memory, and what hibernation gives back: the resident
// memory of the pages' renderer processes with five live tabs on local pages,
// then after hibernateAllInactive(), against what the one shown tab should
// keep. Needs a display (make bench runs Xvfb).
#include "EventLoopWait.h"
#include "LocalHttpServer.h"
#include "ResidentMemory.h"
#include "platform/MemoryKeyValueStore.h"
#include "platform/Ports.h"
#include "platform/qt/ProcFsMemory.h"
#include "platform/qt/QtClock.h"
#include "platform/SystemAppearance.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"
#include "platform/qt/QtWebPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSet>

#include <cstdio>

#include <unistd.h>

namespace {

class LightAppearance final : public SystemAppearance
{
public:
    bool isDark() const override { return false; }
    void setChangeHandler(std::function<void()>) override {}
};


// Resident memory of the processes, in MiB.
double residentMiB(const QSet<qint64> &pids)
{
    double total = 0;
    for (qint64 pid : pids)
        total += ::residentMiB(pid);
    return total;
}

QSet<qint64> livingRenderers(HibernationEngine &engine, const QList<TabModel> &tabs)
{
    QSet<qint64> pids;
    for (const TabModel &tab : tabs) {
        if (auto *page = static_cast<QtWebPage *>(engine.existingWebView(tab.id)); page && page->rendererProcessId() > 0)
            pids.insert(page->rendererProcessId());
    }
    return pids;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (getuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-dev-shm-usage");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    LocalHttpServer server;
    QByteArray body = "<html><head><title>Page</title></head><body><ul>";
    for (int i = 0; i < 2000; ++i)
        body += "<li>Row " + QByteArray::number(i) + " of a longer page</li>";
    body += "</ul><script>window.data = new Array(200000).fill(0).map((_, i) => 'item ' + i);</script></body></html>";
    server.setReply(QStringLiteral("/page"), {200, body, "text/html", {}, 0});

    QtClock clock;
    MemoryKeyValueStore store;
    LightAppearance appearance;
    ProcFsMemory memory;
    AppState state(Ports{clock, store, appearance, memory});
    const auto tabs = state.tabs().tabs();
    for (const TabModel &tab : tabs)
        state.tabs().removeTab(tab.id);
    for (int i = 0; i < 5; ++i)
        state.tabs().addTab(QStringLiteral("Page %1").arg(i), server.address().resolved(QUrl(QStringLiteral("/page?tab=%1").arg(i))), QString(), false);
    state.tabs().selectTab(state.tabs().tabs().first().id);

    QtWebPageFactory factory;
    HibernationEngine engine(state, clock, factory);
    for (const TabModel &tab : state.tabs().tabs())
        engine.getOrCreateWebView(tab);
    spinUntil([&] { return server.requestCount(QStringLiteral("/page")) == 5 && livingRenderers(engine, state.tabs().tabs()).size() >= 1; });
    spinUntil([] { return false; }, 3000); // let the pages' scripts run and settle

    const QSet<qint64> before = livingRenderers(engine, state.tabs().tabs());
    const double beforeMiB = residentMiB(before);
    engine.hibernateAllInactive();
    spinUntil([&] { return residentMiB(before) < beforeMiB / 2; }, 10000);
    spinUntil([] { return false; }, 1000);
    const double afterMiB = residentMiB(before);

    std::printf("renderers with 5 live tabs: %lld processes, %.1f MiB resident\n", static_cast<long long>(before.size()), beforeMiB);
    std::printf("after hibernateAllInactive: %lld processes alive, %.1f MiB resident\n",
                static_cast<long long>(livingRenderers(engine, state.tabs().tabs()).size()), afterMiB);
    // Only the shown tab keeps its page: about a fifth of the five.
    constexpr double keptGoal = 0.3;
    const double kept = beforeMiB > 0 ? afterMiB / beforeMiB : 1;
    std::printf("goals: renderers keep %.2f of their memory after hibernation (<= %.1f: %s)\n", kept, keptGoal,
                kept <= keptGoal ? "met" : "MISSED");
    return 0;
}
