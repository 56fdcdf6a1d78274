// A 200 MB download from a server on 127.0.0.1 through a whole Orvane in this
// process (the page, the engine, the download folder, the notice bar, the
// shelf), against curl from the same server in the same run; and how long
// the panel's event loop is held up meanwhile, against an idle stretch as long.
// The same download through the engine alone (a page of its own on a
// disk-backed profile, nothing of Orvane's) shows what any program on the
// engine gets.
// Needs a display (make bench runs Xvfb).
#include "EventLoopWait.h"
#include "FakePorts.h"
#include "GuiBenchSetup.h"
#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "panel/PanelWindow.h"
#include "platform/qt/QtClock.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"
#include "web/TabList.h"
#include "web/TabListJson.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <cstdio>

namespace {

constexpr qint64 fileBytes = 200'000'000;
constexpr double throughputGoal = 0.9;
// One frame at 120 Hz.
constexpr double frameBudgetMs = 1000.0 / 120;

// Python's file server in a process of its own, so that serving takes
// nothing from the panel's thread.
struct FileServer
{
    FileServer()
    {
        QFile file(folder.filePath(QStringLiteral("big.bin")));
        file.open(QIODevice::WriteOnly);
        const QByteArray block(1 << 20, 'x');
        for (qint64 written = 0; written < fileBytes; written += block.size())
            file.write(block.left(int(std::min<qint64>(block.size(), fileBytes - written))));
        file.close();
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
        probe.close();
        process.start(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("http.server"), QStringLiteral("--bind"),
                                                  QStringLiteral("127.0.0.1"), QStringLiteral("--directory"), folder.path(),
                                                  QString::number(port)});
        process.waitForStarted();
        spinUntil([this] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            return socket.waitForConnected(100);
        });
    }
    ~FileServer()
    {
        process.terminate();
        process.waitForFinished(3000);
    }
    QUrl root() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)); }
    QUrl address() const { return root().resolved(QUrl(QStringLiteral("big.bin"))); }

    QTemporaryDir folder;
    quint16 port = 0;
    QProcess process;
};

// The longest gaps between turns of the event loop, ticking every
// millisecond: a frame due in a gap is late by as much.
class LoopGaps final
{
public:
    LoopGaps()
    {
        m_tick.setTimerType(Qt::PreciseTimer);
        m_tick.setInterval(1);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            const double now = double(m_clock.nsecsElapsed()) / 1e6;
            m_gaps.push_back(now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_gaps.clear();
        m_clock.start();
        m_last = 0;
        m_tick.start();
    }
    void stop() { m_tick.stop(); }
    double worst() const { return m_gaps.empty() ? 0 : *std::max_element(m_gaps.cbegin(), m_gaps.cend()); }
    long overBudget() const
    {
        return long(std::count_if(m_gaps.cbegin(), m_gaps.cend(), [](double gap) { return gap > frameBudgetMs; }));
    }

private:
    QTimer m_tick;
    QElapsedTimer m_clock;
    double m_last = 0;
    std::vector<double> m_gaps;
};

double curlSeconds(const QUrl &address, const QString &target)
{
    QProcess curl;
    QElapsedTimer timer;
    timer.start();
    curl.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-o"), target, address.toString()});
    curl.waitForFinished(120000);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    QFile::remove(target);
    return curl.exitCode() == 0 && curl.exitStatus() == QProcess::NormalExit ? seconds : -1;
}

struct Transfer
{
    double seconds = 0;
    bool whole = false;
};

// The download through a page of the engine's own, saved as the engine
// saves it: the yardstick for what Orvane adds.
Transfer engineAlone(const QUrl &address, LoopGaps &gaps)
{
    QTemporaryDir folder;
    QWebEngineProfile profile(QStringLiteral("bare-download"));
    profile.setPersistentStoragePath(folder.filePath(QStringLiteral("profile")));
    profile.setCachePath(folder.filePath(QStringLiteral("cache")));
    QWebEnginePage page(&profile);
    bool finished = false;
    QObject::connect(&profile, &QWebEngineProfile::downloadRequested, [&](QWebEngineDownloadRequest *download) {
        download->setDownloadDirectory(folder.path());
        download->setDownloadFileName(QStringLiteral("bare.bin"));
        QObject::connect(download, &QWebEngineDownloadRequest::isFinishedChanged, [&] { finished = true; });
        download->accept();
    });
    QElapsedTimer timer;
    timer.start();
    gaps.start();
    page.load(address);
    spinUntil([&] { return finished; }, 120000);
    gaps.stop();
    return {double(timer.nsecsElapsed()) / 1e9, QFileInfo(folder.filePath(QStringLiteral("bare.bin"))).size() == fileBytes};
}

} // namespace

int main(int argc, char **argv)
{
    const auto home = setUpGuiBench();
    QApplication app(argc, argv);
    FileServer server;

    QtClock clock;
    MemoryStore store;
    FakeAppearance appearance;
    FakeMemory memory;
    SingleInstance instance;
    const QList<TabModel> tabs{TabList::makeTab(QStringLiteral("Files"), server.root(), QStringLiteral("globe"),
                                                false, QDateTime::currentDateTimeUtc())};
    store.values.insert(QStringLiteral("Orvane_isPinned"), true);
    store.setData(QStringLiteral("Orvane_Tabs"), TabListJson::encode(tabs));
    AppDelegate delegate(Ports{clock, store, appearance, memory}, instance, QStringList(), server.root());
    delegate.applicationDidFinishLaunching();
    spinUntil([&] { return delegate.window().isVisible(); });
    AppState &state = delegate.state();
    WebPage *page = nullptr;
    spinUntil([&] {
        page = delegate.hibernation().existingWebView(state.tabs().tabs().first().id);
        return page != nullptr;
    });

    const double curlTime = curlSeconds(server.address(), QDir::home().filePath(QStringLiteral("curl.bin")));

    const qsizetype shelved = state.shelf().items().size();
    LoopGaps gaps;
    QElapsedTimer timer;
    timer.start();
    gaps.start();
    if (page)
        page->load(server.address());
    const bool done = spinUntil([&] { return state.shelf().items().size() > shelved; }, 120000);
    gaps.stop();
    const double orvaneTime = double(timer.nsecsElapsed()) / 1e9;
    const double downloadWorst = gaps.worst();
    const long downloadOver = gaps.overBudget();
    const QString saved = done ? state.shelf().items().first().fileURL->toLocalFile() : QString();
    const bool whole = QFileInfo(saved).size() == fileBytes;
    QFile::remove(saved);

    LoopGaps engineGaps;
    const Transfer engine = engineAlone(server.address(), engineGaps);

    // The same stretch without the download: what the machine itself costs.
    gaps.start();
    spinFor(int(orvaneTime * 1000));
    gaps.stop();

    const double megabytes = double(fileBytes) / 1e6;
    const double ratio = done && curlTime > 0 ? curlTime / orvaneTime : 0;
    std::printf("curl: %.2f s, %.0f MB/s\n", curlTime, megabytes / curlTime);
    std::printf("Orvane: %s in %.2f s, %.0f MB/s\n", whole ? "complete" : "NOT complete", orvaneTime, megabytes / orvaneTime);
    std::printf("the engine alone: %s in %.2f s, %.0f MB/s (%.2fx curl; Orvane takes %.2fx its time)\n",
                engine.whole ? "complete" : "NOT complete", engine.seconds, megabytes / engine.seconds,
                curlTime / engine.seconds, orvaneTime / engine.seconds);
    std::printf("event-loop gaps over %.1f ms: %ld while downloading (worst %.1f ms), %ld with the engine alone (worst %.1f ms), "
                "%ld idle as long (worst %.1f ms)\n",
                frameBudgetMs, downloadOver, downloadWorst, engineGaps.overBudget(), engineGaps.worst(), gaps.overBudget(),
                gaps.worst());
    std::printf("download 200 MB: throughput %.2fx curl (goal >= %.1fx: %s); frames over %.1f ms: %ld, idle %ld "
                "(goal: none from the download: %s)\n",
                ratio, throughputGoal, whole && ratio >= throughputGoal ? "met" : "MISSED", frameBudgetMs, downloadOver,
                gaps.overBudget(), downloadOver <= gaps.overBudget() ? "met" : "MISSED");
    return 0;
}
