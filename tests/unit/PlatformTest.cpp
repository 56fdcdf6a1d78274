#include "FakePorts.h"
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

namespace {

TEST(SettingsFile, TypedValuesSurviveARestart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvane.conf"));
    {
        SettingsFileStore store(path);
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

TEST(SettingsFile, HandEditedValuesReadAsTheirTypes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvane.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nOrvane_isPinned=false\nOrvane_edgeHoverEnabled=1\nOrvane_panelWidth=600\n"
               "Orvane_autoHideDelay=soon\n");
    file.close();
    SettingsFileStore store(path);
    EXPECT_EQ(store.boolValue(QStringLiteral("Orvane_isPinned")), false);
    EXPECT_EQ(store.boolValue(QStringLiteral("Orvane_edgeHoverEnabled")), true);
    EXPECT_EQ(store.doubleValue(QStringLiteral("Orvane_panelWidth")), 600);
    EXPECT_FALSE(store.doubleValue(QStringLiteral("Orvane_autoHideDelay")));
}

TEST(SettingsFile, UnparsableFileIsSetAsideBeforeItIsReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvane.conf"));
    const QByteArray damaged = "[General\nOrvane_panelWidth=600\n\x01\x02garbage";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();
    {
        SettingsFileStore store(path);
        EXPECT_TRUE(store.setAsidePath().isEmpty()) << "reading alone changes nothing";
        store.setBool(QStringLiteral("Orvane_isPinned"), true);
        ASSERT_FALSE(store.setAsidePath().isEmpty());
        QFile aside(store.setAsidePath());
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), damaged);
    }
    SettingsFileStore reopened(path);
    EXPECT_EQ(reopened.boolValue(QStringLiteral("Orvane_isPinned")), true);
    // Writing leaves only the settings file, the set-aside copy and the
    // backup of this run: no temporary files.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST(ProcessMemoryFigure, ParsesProcFiles)
{
    const QByteArray status = "Name:\torvane\nVmRSS:\t  90000 kB\nRssAnon:\t   51200 kB\nRssFile:\t 30000 kB\n"
                              "RssShmem:\t    1024 kB\nVmSwap:\t    2048 kB\n";
    EXPECT_EQ(ProcFsMemory::footprintFromStatus(status), (51200ull + 1024 + 2048) * 1024);
    EXPECT_FALSE(ProcFsMemory::footprintFromStatus("Name:\tx\n"));
    EXPECT_EQ(ProcFsMemory::residentFromStatm("5000 1200 300 1 0 900 0\n", 4096), 1200ull * 4096);
    EXPECT_FALSE(ProcFsMemory::residentFromStatm("", 4096));

    ProcFsMemory real;
    ASSERT_TRUE(real.footprintBytes());
    EXPECT_GT(*real.footprintBytes(), 0u);
    ASSERT_TRUE(real.residentBytes());
}

TEST(ProcessMemoryFigure, FallsBackFromFootprintToResidentTo34)
{
    FakeMemory memory;
    memory.footprint = 300ull << 20;
    EXPECT_EQ(memoryMegabytes(memory), 300);
    memory.footprint = (5ull << 20) + 1000; // rounds down
    EXPECT_EQ(memoryMegabytes(memory), 5);
    memory.footprint = 100; // under 1 MiB shows 1
    EXPECT_EQ(memoryMegabytes(memory), 1);
    memory.footprint = 0; // a zero footprint counts as unknown
    EXPECT_EQ(memoryMegabytes(memory), 150);
    memory.footprint.reset();
    memory.resident.reset();
    EXPECT_EQ(memoryMegabytes(memory), 34);
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
