#include "ScopedEnvironment.h"
#include "TestFiles.h"
#include "state/AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Each test has a home of its own, with XDG_CONFIG_HOME unset.
class AutostartEntryTest : public ::testing::Test
{
protected:
    QString read(const QString &path) { return QString::fromUtf8(contentsOf(path)); }

    QTemporaryDir home;
    ScopedEnvironment homeVariable{"HOME", home.path()};
    ScopedEnvironment configHome{"XDG_CONFIG_HOME", std::nullopt};
    QString defaultPath = home.path() + QStringLiteral("/.config/autostart/orvane.desktop");
};

TEST_F(AutostartEntryTest, SwitchingOnWritesAValidEntryAndOffRemovesIt)
{
    AutostartEntry entry(QStringLiteral("/usr/bin/orvane"));
    EXPECT_FALSE(entry.isEnabled()) << "off until the user turns it on";
    EXPECT_FALSE(QFile::exists(defaultPath));

    ASSERT_TRUE(entry.setEnabled(true));
    EXPECT_TRUE(entry.isEnabled());
    EXPECT_TRUE(read(defaultPath).contains(QStringLiteral("\nExec=/usr/bin/orvane\n")));
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {defaultPath});
    ASSERT_TRUE(validate.waitForFinished(10000)) << "desktop-file-validate (desktop-file-utils) did not run";
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    EXPECT_TRUE(validate.readAllStandardOutput().isEmpty());

    ASSERT_TRUE(entry.setEnabled(true)) << "switching on twice is no error";
    ASSERT_TRUE(entry.setEnabled(false));
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_FALSE(QFile::exists(defaultPath));
    EXPECT_TRUE(entry.setEnabled(false)) << "switching off twice is no error";
}

TEST_F(AutostartEntryTest, EntryLivesInTheConfigFolderTheSessionReads)
{
    const struct
    {
        const char *name;
        std::optional<QString> xdgConfigHome;
        QString expectedPath;
    } rows[] = {
        {"unset: ~/.config", std::nullopt, defaultPath},
        {"absolute: followed", home.path() + QStringLiteral("/elsewhere"),
         home.path() + QStringLiteral("/elsewhere/autostart/orvane.desktop")},
        {"relative: ignored, as the base directory rules say", QStringLiteral("relative/config"), defaultPath},
        {"empty: ~/.config", QString(), defaultPath},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ScopedEnvironment configHomeRow("XDG_CONFIG_HOME", row.xdgConfigHome);
        AutostartEntry entry(QStringLiteral("/usr/bin/orvane"));
        EXPECT_EQ(AutostartEntry::path(), row.expectedPath);
        ASSERT_TRUE(entry.setEnabled(true));
        EXPECT_TRUE(QFile::exists(row.expectedPath));
        ASSERT_TRUE(entry.setEnabled(false));
        EXPECT_FALSE(QFile::exists(row.expectedPath));
    }
}

TEST_F(AutostartEntryTest, EntryTheSessionWouldSkipReadsAsOffUntilSwitchedOn)
{
    const struct
    {
        const char *name;
        QByteArray content;
        bool enabled;
    } rows[] = {
        {"plain entry", "[Desktop Entry]\nType=Application\nExec=orvane\n", true},
        {"hidden", "[Desktop Entry]\nType=Application\nHidden=true\nExec=orvane\n", false},
        {"hidden with spaces around =", "[Desktop Entry]\nHidden = true\n", false},
        {"turned off in GNOME's session settings", "[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false},
        {"turned on in GNOME's session settings", "[Desktop Entry]\nX-GNOME-Autostart-enabled=true\n", true},
        {"Hidden in another group does not count", "[Desktop Entry]\nExec=orvane\n[Desktop Action x]\nHidden=true\n",
         true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(writeFile(defaultPath, row.content));
        AutostartEntry entry(QStringLiteral("/usr/bin/orvane"));
        EXPECT_EQ(entry.isEnabled(), row.enabled);
        ASSERT_TRUE(entry.setEnabled(true)) << "switching on replaces an entry the session would skip";
        EXPECT_TRUE(entry.isEnabled());
    }
}

TEST_F(AutostartEntryTest, ProgramPathIsQuotedForTheExecKey)
{
    const struct
    {
        const char *name;
        QString program;
        QString execLine;
    } rows[] = {
        {"plain path as it is", QStringLiteral("/opt/orvane/bin/orvane"), QStringLiteral("Exec=/opt/orvane/bin/orvane")},
        {"space: quoted", QStringLiteral("/home/me/my builds/orvane"), QStringLiteral("Exec=\"/home/me/my builds/orvane\"")},
        {"dollar and quote: escaped inside quotes, backslash doubled for the string",
         QStringLiteral("/tmp/a$b\"c/orvane"), QStringLiteral("Exec=\"/tmp/a\\\\$b\\\\\"c/orvane\"")},
        {"percent: doubled so it is no field code", QStringLiteral("/tmp/100%/orvane"),
         QStringLiteral("Exec=/tmp/100%%/orvane")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        AutostartEntry entry(row.program);
        ASSERT_TRUE(entry.setEnabled(true));
        EXPECT_TRUE(read(defaultPath).split(QLatin1Char('\n')).contains(row.execLine)) << read(defaultPath).toStdString();
    }
}

TEST_F(AutostartEntryTest, RefusedWriteIsReportedAndChangesNothing)
{
    // A file where the autostart folder belongs: the folder cannot be made,
    // whoever runs the test (permissions do not stop root).
    ASSERT_TRUE(writeFile(home.path() + QStringLiteral("/.config/autostart"), "not a folder"));
    AutostartEntry entry(QStringLiteral("/usr/bin/orvane"));
    EXPECT_FALSE(entry.setEnabled(true));
    EXPECT_FALSE(entry.isEnabled());
}

} // namespace
