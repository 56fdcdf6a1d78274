// The settings file is the user's: what Orvane rewrites can be undone, and
// what it cannot write is said.
#include "CapturedWarnings.h"
#include "TestFiles.h"
#include "platform/qt/SettingsFileStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SettingsFileBackup, KeepsTheFileAsItWasBeforeEachRunsFirstChange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvane.conf"));
    // Parses, yet holds what a rewrite drops: a comment and a line without a value.
    const QByteArray handEdited = "; my notes on these settings\n[General]\nOrvane_panelWidth=600\nstray line\n";
    ASSERT_TRUE(writeFile(path, handEdited));
    {
        SettingsFileStore store(path);
        EXPECT_FALSE(QFile::exists(store.backupPath())) << "reading alone changes nothing";
        store.setBool(QStringLiteral("Orvane_isPinned"), true);
        ASSERT_TRUE(store.flush());
        EXPECT_NE(contentsOf(path), handEdited);
        EXPECT_EQ(contentsOf(store.backupPath()), handEdited);
        store.setBool(QStringLiteral("Orvane_isPinned"), false);
        ASSERT_TRUE(store.flush());
        EXPECT_EQ(contentsOf(store.backupPath()), handEdited) << "one copy a run, of the file as the run found it";
    }
    const QByteArray afterFirstRun = contentsOf(path);
    SettingsFileStore nextRun(path);
    nextRun.setDouble(QStringLiteral("Orvane_panelWidth"), 700);
    ASSERT_TRUE(nextRun.flush());
    EXPECT_EQ(contentsOf(nextRun.backupPath()), afterFirstRun);
}

TEST(SettingsFileFlush, WritesTheChangesAtOnceAndCopiesNoFileThatDidNotExist)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvane.conf"));
    SettingsFileStore store(path);
    store.setBool(QStringLiteral("Orvane_isPinned"), true);
    store.remove(QStringLiteral("Orvane_panelTopOffset"));
    ASSERT_TRUE(store.flush());
    EXPECT_TRUE(contentsOf(path).contains("Orvane_isPinned=true"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Orvane.conf")}) << "no backup";
    EXPECT_TRUE(store.flush()) << "nothing left to write";
}

// A long note takes milliseconds to write; the interface only hands it over,
// and nothing handed over is lost when the store goes.
TEST(SettingsFileFlush, TheInterfaceThreadHandsChangesOverWithoutWaitingForTheDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvane.conf"));
    const QString note = QStringLiteral("rent = 1200 + 45 = 1245 and a line of prose\n").repeated(100000);
    QElapsedTimer timer;
    qint64 handOver = 0;
    qint64 untilOnDisk = 0;
    {
        SettingsFileStore store(path);
        timer.start();
        store.setString(QStringLiteral("Orvane_scratchpadText"), note);
        QCoreApplication::processEvents();
        handOver = timer.nsecsElapsed();
        timer.restart();
        ASSERT_TRUE(store.flush());
        untilOnDisk = timer.nsecsElapsed();
        EXPECT_EQ(store.stringValue(QStringLiteral("Orvane_scratchpadText")), note) << "read back from memory";
        store.setBool(QStringLiteral("Orvane_isPinned"), true);
    }
    EXPECT_LT(handOver * 4, untilOnDisk) << "handed over in " << handOver / 1000 << " us, on disk "
                                         << untilOnDisk / 1000 << " us later";
    const SettingsFileStore nextRun(path);
    EXPECT_EQ(nextRun.stringValue(QStringLiteral("Orvane_scratchpadText")), note);
    EXPECT_EQ(nextRun.boolValue(QStringLiteral("Orvane_isPinned")), true) << "the last change, written as the store went";
}

TEST(SettingsFileFlush, SaysOnceARunWhenTheSettingsCannotBeWritten)
{
    QTemporaryDir dir;
    // The settings folder is a file: no one, root included, can write below it.
    ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("Orvane")), "not a folder"));
    const QString path = dir.filePath(QStringLiteral("Orvane/Orvane.conf"));
    const CapturedWarnings warnings;
    SettingsFileStore store(path);
    EXPECT_TRUE(store.flush()) << "nothing to write yet";
    store.setBool(QStringLiteral("Orvane_isPinned"), true);
    EXPECT_FALSE(store.flush());
    store.setDouble(QStringLiteral("Orvane_panelWidth"), 500);
    EXPECT_FALSE(store.flush());
    ASSERT_EQ(warnings.lines().size(), 1) << warnings.lines().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(warnings.lines().constFirst().contains(path));
    EXPECT_FALSE(warnings.lines().constFirst().contains(QLatin1Char('\n')));
}

TEST(SettingsFileFlush, AFailureIsSaidAlsoWhenTheFileWasUnreadableAtStart)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Orvane"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/Orvane.conf");
    ASSERT_TRUE(writeFile(path, "[General\n\x01garbage"));
    const CapturedWarnings warnings;
    SettingsFileStore store(path);
    // Then the folder goes, and a file takes its place.
    ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".moved")));
    ASSERT_TRUE(writeFile(folder, "not a folder"));
    store.setBool(QStringLiteral("Orvane_isPinned"), true);
    EXPECT_FALSE(store.flush());
    EXPECT_EQ(warnings.lines().size(), 1);
}

} // namespace
