// A second start and the running Orvane on a real X server: what is handed
// over, when the sender hears back, and where the socket may live.
#include "LocalHttpServer.h"
#include "OrvaneProcess.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QSysInfo>
#include <QUrl>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString runtimeOf(const OrvaneProcess &orvane)
{
    return orvane.environment().value(QStringLiteral("XDG_RUNTIME_DIR"));
}

bool hasSocketIn(const QString &folder)
{
    return QFileInfo::exists(folder + QStringLiteral("/orvane.socket"));
}

// The sender hears back only once the command is saved. The shelf's screen is
// never opened here: what is staged by command is on disk when the sender
// hears back, and the next run starts with it.
TEST(HandOff, AStagedLinkOrASettingIsSavedBeforeTheSenderHearsBackAndKeptAcrossARestart)
{
    OrvaneProcess orvane;
    const QString shelfFile = orvane.home() + QStringLiteral("/.local/share/Orvane/DropShelf/shelf.json");
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://shelf?link=https://first.example/")}), 0);
    EXPECT_TRUE(contentsOf(shelfFile).contains("https://first.example/")) << contentsOf(shelfFile).toStdString();
    ASSERT_EQ(orvane.endWith(SIGTERM), 0);

    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://shelf?link=https://second.example/")}), 0);
    const QByteArray kept = contentsOf(shelfFile);
    EXPECT_TRUE(kept.contains("https://first.example/")) << kept.toStdString();
    EXPECT_TRUE(kept.contains("https://second.example/")) << kept.toStdString();

    for (const char *pinned : {"true", "false", "true", "false"}) {
        ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://pin")}), 0);
        // No waiting: the answer came after the file was written.
        EXPECT_TRUE(contentsOf(orvane.settingsFile()).contains(QByteArray("Orvane_isPinned=") + pinned)) << pinned;
    }
}

TEST(HandOff, AShelfThatCannotBeSavedIsNotReportedAsSaved)
{
    OrvaneProcess orvane;
    // The data folder is a file: the shelf cannot be written below it.
    QDir().mkpath(orvane.home() + QStringLiteral("/.local/share"));
    ASSERT_TRUE(writeFile(orvane.home() + QStringLiteral("/.local/share/Orvane"), "not a folder"));
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    const OrvaneProcess::Finished sender =
        orvane.runSecondWithOutput({QStringLiteral("orvane://shelf?link=https://first.example/")});
    EXPECT_EQ(sender.exitCode, 1);
    EXPECT_TRUE(sender.err.contains(QLatin1String("drop shelf could not be saved"))) << sender.err.toStdString();
}

TEST(HandOff, WithoutAnAnswerTheSenderFailsWithinItsBound)
{
    OrvaneProcess orvane;
    // Something that takes the connection and never answers, like a hung Orvane.
    QLocalServer silent;
    silent.setSocketOptions(QLocalServer::UserAccessOption);
    ASSERT_TRUE(silent.listen(runtimeOf(orvane) + QStringLiteral("/orvane.socket")));
    QElapsedTimer timer;
    timer.start();
    const OrvaneProcess::Finished sender = orvane.runSecondWithOutput({QStringLiteral("orvane://toggle")});
    EXPECT_NE(sender.exitCode, 0);
    EXPECT_NE(sender.exitCode, -1) << "it ends by itself";
    EXPECT_LT(timer.elapsed(), 9000);
    EXPECT_EQ(sender.err.count(QLatin1Char('\n')), 1) << sender.err.toStdString();
    EXPECT_TRUE(sender.err.contains(QLatin1String("did not confirm"))) << sender.err.toStdString();
}

TEST(HandOff, ARefusedCommandEndsTheSenderWithStatusOneAndOneLineSayingWhyAndALineBreakIsNoSecondCommand)
{
    const QString script = QStringLiteral("orvane://open?url=javascript%3Aalert(1)");
    const QString why = QStringLiteral("orvane: refused orvane://open: only http and https addresses with a host are opened");
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.launch({script})) << orvane.log().toStdString();
    EXPECT_TRUE(orvane.log().contains(why)) << "the first start, which goes on running, says it on standard error";

    const OrvaneProcess::Finished refused = orvane.runSecondWithOutput({script});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err.count(QLatin1Char('\n')), 1) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(why)) << refused.err.toStdString();

    const OrvaneProcess::Finished accepted = orvane.runSecondWithOutput({QStringLiteral("orvane://open?url=http%3A%2F%2F127.0.0.1%3A9%2F")});
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err.toStdString();
    EXPECT_FALSE(accepted.err.contains(QLatin1String("refused"))) << accepted.err.toStdString();

    // A line break inside one argument is not a second command.
    LocalHttpServer server;
    server.setReply(QStringLiteral("/smuggled"), {200, "<html><title>Smuggled</title></html>", "text/html", {}, 0});
    const QString open = QStringLiteral("orvane://open?url=")
        + QString::fromLatin1(QUrl::toPercentEncoding(server.address().toString() + QStringLiteral("/smuggled")));
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle\n") + open}), 0);
    EXPECT_TRUE(holdsFor([&] { return !contentsOf(orvane.settingsFile()).contains("/smuggled"); }, 1500))
        << "the second line of one argument opened a tab";
    // The same command as an argument of its own does open the tab.
    ASSERT_EQ(orvane.runSecond({open}), 0);
    EXPECT_TRUE(contentsOf(orvane.settingsFile()).contains("/smuggled"));
}

// What another account on the machine can do to /tmp before the user's first start.
enum class Planted { OpenFolder, SymbolicLink };

class SocketFolderWithoutRuntimeDir : public ::testing::TestWithParam<Planted>
{
};

TEST_P(SocketFolderWithoutRuntimeDir, AFolderOthersControlIsNotUsed)
{
    OrvaneProcess orvane;
    QProcessEnvironment environment = orvane.environment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const QString temporary = orvane.home() + QStringLiteral("/tmp");
    environment.insert(QStringLiteral("TMPDIR"), temporary);
    orvane.setEnvironment(environment);
    const QString planted = temporary + QStringLiteral("/orvane-%1").arg(::geteuid());
    const QString target = temporary + QStringLiteral("/theirs");
    ASSERT_TRUE(QDir().mkpath(target));
    if (GetParam() == Planted::OpenFolder) {
        ASSERT_TRUE(QDir().mkpath(planted));
        ASSERT_EQ(::chmod(QFile::encodeName(planted).constData(), 0777), 0);
    } else {
        ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0700), 0);
        ASSERT_TRUE(QFile::link(target, planted));
    }

    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    EXPECT_FALSE(hasSocketIn(planted));
    EXPECT_FALSE(hasSocketIn(target));
    EXPECT_TRUE(orvane.log().contains(planted)) << "says which folder it passed over";
    // Hand-off still works, through a private folder.
    ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }));
    EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }));
}

INSTANTIATE_TEST_SUITE_P(Planted, SocketFolderWithoutRuntimeDir,
                         ::testing::Values(Planted::OpenFolder, Planted::SymbolicLink), [](const auto &info) {
                             return std::string(info.param == Planted::OpenFolder ? "folder_anyone_may_write_to"
                                                                                  : "symbolic_link");
                         });

// What a crashed Orvane leaves behind (the socket file with nobody listening,
// and the lock of a process that no longer runs), or the lock of another
// machine (a restored backup, a home shared between machines).
TEST(SocketLeftovers, NeitherACrashsNorAnotherMachinesBlocksTheStart)
{
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    for (const bool crashed : {true, false}) {
        SCOPED_TRACE(crashed ? "a crash" : "another machine");
        OrvaneProcess orvane;
        const QString socket = runtimeOf(orvane) + QStringLiteral("/orvane.socket");
        if (crashed) {
            const QByteArray path = QFile::encodeName(socket);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
            const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
            ::close(listener);
        }
        ASSERT_TRUE(writeFile(socket + QStringLiteral(".lock"), crashed ? "999999\norvane\n" + host + "\n"
                                                                       : "4242\norvane\nsome-other-machine." + host + "\n"));
        ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
        EXPECT_EQ(orvane.log().contains(QLatin1String("some-other-machine")), !crashed) << "says what it removed";
        ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }));
        EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
        EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }));
    }
}

TEST(SocketLeftovers, AFileInTheWayOfTheSocketIsLeftAlone)
{
    OrvaneProcess orvane;
    const QString socket = runtimeOf(orvane) + QStringLiteral("/orvane.socket");
    ASSERT_TRUE(writeFile(socket, "someone's notes"));
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    EXPECT_EQ(contentsOf(socket), QByteArray("someone's notes"));
    EXPECT_TRUE(orvane.log().contains(socket)) << orvane.log().toStdString();
    // A later start cannot reach this one, and says so instead of starting a second Orvane.
    const OrvaneProcess::Finished second = orvane.runSecondWithOutput({QStringLiteral("orvane://toggle")});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains(QLatin1String("orvane.socket.lock"))) << second.err.toStdString();
}

TEST(SettingsThatCannotBeSaved, AreSaidOnceAndTheSenderIsNotToldAllIsWell)
{
    OrvaneProcess orvane;
    // The settings folder is a file: nobody, root included, can save below it.
    QDir().mkpath(orvane.home() + QStringLiteral("/.config"));
    ASSERT_TRUE(writeFile(orvane.home() + QStringLiteral("/.config/Orvane"), "not a folder"));
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const OrvaneProcess::Finished sender = orvane.runSecondWithOutput({QStringLiteral("orvane://pin")});
        EXPECT_EQ(sender.exitCode, 1);
        EXPECT_EQ(sender.err.count(QLatin1Char('\n')), 1) << sender.err.toStdString();
        EXPECT_TRUE(sender.err.contains(QLatin1String("could not be saved"))) << sender.err.toStdString();
    }
    EXPECT_EQ(orvane.log().count(QLatin1String("Cannot save the settings")), 1) << orvane.log().toStdString();
}

TEST(UrlHandler, XdgOpenWithoutADesktopEnvironmentReachesOrvane)
{
    OrvaneProcess orvane;
    QProcessEnvironment environment = orvane.environment();
    // Debian's generic opener: no desktop named, nothing that would send it to gio.
    for (const char *variable : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID", "LXQT_SESSION_CONFIG", "BROWSER"})
        environment.remove(QString::fromLatin1(variable));
    orvane.setEnvironment(environment);
    const OrvaneProcess::Finished registered =
        orvane.runWithOutput(QStringLiteral(ORVANE_SOURCE_DIR "/scripts/register-url-handler"), {QStringLiteral(ORVANE_BINARY)});
    ASSERT_EQ(registered.exitCode, 0) << registered.err.toStdString();
    const QByteArray entry = contentsOf(orvane.home() + QStringLiteral("/.local/share/applications/orvane.desktop"));
    EXPECT_TRUE(entry.contains("\nExec=" ORVANE_BINARY " %u\n")) << entry.toStdString();

    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }));
    const OrvaneProcess::Finished opened =
        orvane.runWithOutput(QStringLiteral("/usr/bin/xdg-open"), {QStringLiteral("orvane://toggle")});
    EXPECT_EQ(opened.exitCode, 0) << opened.err.toStdString();
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }, 5000));
}

} // namespace
