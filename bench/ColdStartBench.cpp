// Cold start with a URL: process start to the page's request reaching the
// server and to its onload, Orvane started with orvane://open against a bare
// web view showing the same local page on a disk-backed profile, as Orvane's
// must be. Runs are interleaved so both see the same machine; prints the
// medians, the ratios against their goals, and the memory of each process
// tree at onload.
#include "LocalHttpServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int pairs = 12;
// How much later than the bare web view Orvane may ask for the page, and
// have it loaded.
constexpr double requestGoal = 1.1;
constexpr double onloadGoal = 1.2;
const QString page = QStringLiteral("/page");
const QString loaded = QStringLiteral("/loaded");

// Resident memory of the process and everything it started, in MiB.
double treeMemoryMiB(qint64 root)
{
    QHash<qint64, qint64> parentOf;
    QHash<qint64, double> residentMiB;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
        if (!stat.open(QIODevice::ReadOnly) || !statm.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        parentOf.insert(pid, fields.value(1).toLongLong());
        residentMiB.insert(pid, statm.readAll().split(' ').value(1).toDouble() * 4096 / (1 << 20));
    }
    double total = 0;
    for (auto it = residentMiB.cbegin(); it != residentMiB.cend(); ++it) {
        for (qint64 pid = it.key(); pid > 1; pid = parentOf.value(pid)) {
            if (pid == root) {
                total += it.value();
                break;
            }
        }
    }
    return total;
}

struct Run
{
    double requestSeconds = 0;
    double seconds = 0;
    double memoryMiB = 0;
};

Run timeToOnload(LocalHttpServer &server, const QString &program, const QStringList &arguments)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const int requestsBefore = server.requestCount(page);
    const int before = server.requestCount(loaded);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    Run run;
    while (server.requestCount(loaded) == before && timer.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        if (run.requestSeconds == 0 && server.requestCount(page) != requestsBefore)
            run.requestSeconds = double(timer.nsecsElapsed()) / 1e9;
    }
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    run.memoryMiB = treeMemoryMiB(process.processId());
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished();
    return run;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    LocalHttpServer server;
    server.setReply(page, {200, "<!doctype html><title>Cold start</title><body onload=\"fetch('/loaded')\">Hello</body>",
                           "text/html", {}, 0});
    server.setReply(loaded, {200, "ok", "text/plain", {}, 0});
    const QString address = server.address().resolved(QUrl(page)).toString();

    QList<double> orvaneRequests, bareRequests, orvaneTimes, bareTimes, orvaneMemory, bareMemory;
    for (int i = 0; i < pairs; ++i) {
        const Run orvane = timeToOnload(server, QStringLiteral(ORVANE_BINARY),
                                        {QStringLiteral("orvane://open?url=") + QString::fromUtf8(QUrl::toPercentEncoding(address))});
        const Run bare = timeToOnload(server, QStringLiteral(BARE_WEB_VIEW), {address});
        orvaneRequests.append(orvane.requestSeconds);
        bareRequests.append(bare.requestSeconds);
        orvaneTimes.append(orvane.seconds);
        bareTimes.append(bare.seconds);
        orvaneMemory.append(orvane.memoryMiB);
        bareMemory.append(bare.memoryMiB);
    }
    const double requestRatio = median(orvaneRequests) / median(bareRequests);
    const double ratio = median(orvaneTimes) / median(bareTimes);
    std::printf("cold start to the page's request, median of %d interleaved pairs: Orvane %.0f ms, bare web view %.0f ms, "
                "ratio %.2f\n",
                pairs, median(orvaneRequests) * 1000, median(bareRequests) * 1000, requestRatio);
    std::printf("cold start to onload: Orvane %.0f ms, bare web view %.0f ms, ratio %.2f\n", median(orvaneTimes) * 1000,
                median(bareTimes) * 1000, ratio);
    std::printf("memory of the process tree at onload: Orvane %.0f MiB, bare web view %.0f MiB, ratio %.2f\n",
                median(orvaneMemory), median(bareMemory), median(orvaneMemory) / median(bareMemory));
    std::printf("goals: request %.2fx bare (<= %.1fx: %s); onload %.2fx bare (<= %.1fx: %s)\n", requestRatio, requestGoal,
                requestRatio <= requestGoal ? "met" : "MISSED", ratio, onloadGoal, ratio <= onloadGoal ? "met" : "MISSED");
    return 0;
}
