#include "FakePorts.h"
#include "TestFiles.h"
#include "platform/qt/DesktopAppearance.h"
#include "platform/qt/ProcFsMemory.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/SettingsFileStore.h"

#include <QCoreApplication>
#include <QDBusVariant>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

namespace {

TEST(SettingsFile, HandEditedAndTypedValuesSurviveARestart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvane.conf"));
    ASSERT_TRUE(writeFile(path, "[General]\nOrvane_isPinned=false\nOrvane_edgeHoverEnabled=1\nOrvane_panelWidth=600\n"
                                "Orvane_autoHideDelay=soon\n"));
    {
        SettingsFileStore store(path);
        EXPECT_EQ(store.boolValue(QStringLiteral("Orvane_isPinned")), false);
        EXPECT_EQ(store.boolValue(QStringLiteral("Orvane_edgeHoverEnabled")), true);
        EXPECT_EQ(store.doubleValue(QStringLiteral("Orvane_panelWidth")), 600);
        EXPECT_FALSE(store.doubleValue(QStringLiteral("Orvane_autoHideDelay")));
        store.setBool(QStringLiteral("Orvane_isPinned"), true);
        store.setDouble(QStringLiteral("Orvane_panelWidth"), 512.5);
        store.setString(QStringLiteral("Orvane_railSidePreference"), QStringLiteral("Auto (Match Theme)"));
        store.setData(QStringLiteral("Orvane_Tabs"), QByteArray("[{\"a\":1}]"));
        store.setDouble(QStringLiteral("Orvane_panelTopOffset"), 3);
        store.remove(QStringLiteral("Orvane_panelTopOffset"));
    }
    SettingsFileStore store(path);
    EXPECT_EQ(store.boolValue(QStringLiteral("Orvane_isPinned")), true);
    EXPECT_EQ(store.doubleValue(QStringLiteral("Orvane_panelWidth")), 512.5);
    EXPECT_EQ(store.stringValue(QStringLiteral("Orvane_railSidePreference")), QStringLiteral("Auto (Match Theme)"));
    EXPECT_EQ(store.dataValue(QStringLiteral("Orvane_Tabs")), QByteArray("[{\"a\":1}]"));
    EXPECT_FALSE(store.contains(QStringLiteral("Orvane_panelTopOffset")));
    EXPECT_FALSE(store.boolValue(QStringLiteral("Orvane_missing")));
    EXPECT_FALSE(store.doubleValue(QStringLiteral("Orvane_railSidePreference")));
}

TEST(SettingsFile, UnparsableFileIsSetAsideBeforeItIsReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvane.conf"));
    const QByteArray damaged = "[General\nOrvane_panelWidth=600\n\x01\x02garbage";
    ASSERT_TRUE(writeFile(path, damaged));
    {
        SettingsFileStore store(path);
        EXPECT_TRUE(store.setAsidePath().isEmpty()) << "reading alone changes nothing";
        store.setBool(QStringLiteral("Orvane_isPinned"), true);
        ASSERT_FALSE(store.setAsidePath().isEmpty());
        EXPECT_EQ(contentsOf(store.setAsidePath()), damaged);
    }
    SettingsFileStore reopened(path);
    EXPECT_EQ(reopened.boolValue(QStringLiteral("Orvane_isPinned")), true);
    // Writing leaves only the settings file, the set-aside copy and the
    // backup of this run: no temporary files.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

// A folder laid out like /proc: Orvane (100) with its two web engine zygotes
// and their renderers, next to processes that are none of its own.
TEST(ProcessMemoryFigure, AddsUpTheProcessAndEveryDescendant)
{
    QTemporaryDir proc;
    const auto process = [&](int pid, const QByteArray &name, int parent, std::optional<int> pssKb, int residentPages) {
        const QString folder = proc.filePath(QString::number(pid));
        ASSERT_TRUE(writeFile(folder + QStringLiteral("/stat"),
                              QByteArray::number(pid) + " (" + name + ") S " + QByteArray::number(parent) + " 1 1 0 -1 4194560 0\n"));
        ASSERT_TRUE(writeFile(folder + QStringLiteral("/statm"), "9000 " + QByteArray::number(residentPages) + " 300 1 0 900 0\n"));
        if (pssKb) {
            ASSERT_TRUE(writeFile(folder + QStringLiteral("/smaps_rollup"),
                                  "55d0c8a00000-7ffd6b9f4000 ---p 00000000 00:00 0  [rollup]\nRss:  999999 kB\nPss:   "
                                      + QByteArray::number(*pssKb) + " kB\nPss_Anon:  1 kB\nPss_File:  2 kB\n"));
        }
    };
    process(1, "init", 0, 5000, 10);
    process(100, "orvane", 1, 245000, 100);
    process(101, "QtWebEngineProc", 100, 14000, 20);
    process(102, "QtWebEngineProc", 100, 10000, 30);
    process(103, "QtWebEngineProc", 102, 48000, 40);
    process(104, "QtWebEngineProc", 102, std::nullopt, 50); // ended between the listing and the reading
    process(105, "Web (Content) 1)", 103, 1000, 1);
    process(200, "other", 1, 900000, 1000);
    process(201, "100 (orvane) S 100", 200, 900000, 1000);
    ASSERT_TRUE(QDir(proc.path()).mkpath(QStringLiteral("self")));

    QList<qint64> tree = ProcFsMemory::processTree(proc.path(), 100);
    EXPECT_EQ(tree.constFirst(), 100);
    std::sort(tree.begin(), tree.end());
    EXPECT_EQ(tree, QList<qint64>({100, 101, 102, 103, 104, 105})) << "a name with spaces and parentheses hides no parent";
    const ProcessMemory::Reading orvane = ProcFsMemory::readTree(proc.path(), 100);
    EXPECT_EQ(orvane.proportionalBytes, (245000ull + 14000 + 10000 + 48000 + 1000) * 1024);
    const quint64 page = quint64(sysconf(_SC_PAGESIZE));
    EXPECT_EQ(orvane.residentBytes, (100ull + 20 + 30 + 40 + 50 + 1) * page);
    EXPECT_EQ(ProcFsMemory::readTree(proc.path(), 201).proportionalBytes, 900000ull * 1024);
    EXPECT_FALSE(ProcFsMemory::readTree(proc.path(), 104).proportionalBytes) << "no figure of its own, none at all";
    EXPECT_FALSE(ProcFsMemory::readTree(proc.path(), 999).residentBytes);

    EXPECT_EQ(ProcFsMemory::proportionalFromSmapsRollup("Pss_Anon: 5 kB\nPss:\t  7 kB\n"), 7ull * 1024);
    EXPECT_FALSE(ProcFsMemory::proportionalFromSmapsRollup("Rss: 5 kB\n"));
    EXPECT_FALSE(ProcFsMemory::proportionalFromSmapsRollup("Pss: many kB\n"));
    EXPECT_FALSE(ProcFsMemory::parentFromStat("12 (no end S 1"));
    EXPECT_FALSE(ProcFsMemory::residentFromStatm("", 4096));
}

TEST(ProcessMemoryFigure, FallsBackFromProportionalToResidentTo34)
{
    ProcessMemory::Reading reading{300ull << 20, 150ull << 20};
    EXPECT_EQ(memoryMegabytes(reading), 300);
    reading.proportionalBytes = (5ull << 20) + 1000; // rounds down
    EXPECT_EQ(memoryMegabytes(reading), 5);
    reading.proportionalBytes = 100; // under 1 MiB shows 1
    EXPECT_EQ(memoryMegabytes(reading), 1);
    reading.proportionalBytes = 0; // zero counts as unknown
    EXPECT_EQ(memoryMegabytes(reading), 150);
    EXPECT_EQ(memoryMegabytes({}), 34);
}

TEST(Appearance, ReadsThePortalsColourScheme)
{
    EXPECT_EQ(DesktopAppearance::darkFromPortalValue(QVariant(1u)), true);
    EXPECT_EQ(DesktopAppearance::darkFromPortalValue(QVariant(2u)), false);
    EXPECT_EQ(DesktopAppearance::darkFromPortalValue(QVariant(0u)), false);
    // Newer portals answer a variant inside a variant.
    const QVariant nested = QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusVariant(QVariant(1u)))));
    EXPECT_EQ(DesktopAppearance::darkFromPortalValue(nested), true);
    EXPECT_FALSE(DesktopAppearance::darkFromPortalValue(QVariant(QStringLiteral("dark"))));

    EXPECT_TRUE(DesktopAppearance::darkFromGtkThemeName(QStringLiteral("Adwaita-dark")));
    EXPECT_TRUE(DesktopAppearance::darkFromGtkThemeName(QStringLiteral("Arc:dark")));
    EXPECT_FALSE(DesktopAppearance::darkFromGtkThemeName(QStringLiteral("Adwaita")));
}

TEST(QtClockTimers, PostedTasksRunInOrderAndStoppedTimersNeverFire)
{
    QtClock clock;
    QStringList order;
    clock.post([&] { order.append(QStringLiteral("first")); });
    clock.post([&] { order.append(QStringLiteral("second")); });
    auto cancelled = clock.singleShot(0.01, [&] { order.append(QStringLiteral("cancelled")); });
    cancelled.reset();
    int ticks = 0;
    auto repeating = clock.repeating(0.005, [&] { ++ticks; });
    auto done = clock.singleShot(0.05, [&] { order.append(QStringLiteral("timer")); });
    QElapsedTimer deadline;
    deadline.start();
    while (!order.contains(QStringLiteral("timer")) && deadline.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(order, QStringList({"first", "second", "timer"}));
    EXPECT_GE(ticks, 2);
    EXPECT_GE(clock.uptime(), 0.05);
}

} // namespace
