// `orvane` on the command line: options answer at once, without a display
// and without reaching a running Orvane.
#include "app/CommandLine.h"
#include "state/AppVersion.h"

#include <QDir>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs orvane with a runtime folder in which something listens as a running
// Orvane would; `reached` says whether the run knocked on it.
struct OrvaneRun { int exitCode = -1; QString out; QString err; bool reached = false; };

OrvaneRun runOrvane(const QStringList &arguments)
{
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QLocalServer running;
    running.setSocketOptions(QLocalServer::UserAccessOption);
    EXPECT_TRUE(running.listen(runtime.filePath(QStringLiteral("orvane.socket"))));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVANE_BINARY), arguments);
    EXPECT_TRUE(process.waitForFinished(10000));
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError()), running.waitForNewConnection(0)};
}

TEST(OrvaneCommandLine, HelpListsTheUrlCommandsAndTheFilesWithoutStarting)
{
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const OrvaneRun help = runOrvane({QStringLiteral("orvane://pin"), option});
        EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
        EXPECT_FALSE(help.reached) << "nothing is handed over";
        EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
        for (const char *expected : {"Usage: orvane", "orvane://toggle", "orvane://open?url=", "orvane://scratchpad",
                                     "orvane://shelf?", "orvane://pin", "orvane://ai?prompt=", "orvane://settings",
                                     "orvane://theme?name=", "orvane://width?val=", "Orvane.conf", "Orvane.conf.bak",
                                     "DropShelf/Snippets", "orvane.socket"})
            EXPECT_TRUE(help.out.contains(QLatin1String(expected))) << option.toStdString() << ": " << expected;
    }
}

TEST(OrvaneCommandLine, VersionPrintsTheVersionAndAnUnknownOptionIsNamedInOneLineWithoutStarting)
{
    const OrvaneRun version = runOrvane({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_FALSE(version.reached);
    EXPECT_EQ(version.out, AppVersion::fullDisplayString + QLatin1Char('\n'));

    const OrvaneRun wrong = runOrvane({QStringLiteral("--frobnicate"), QStringLiteral("orvane://pin")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_FALSE(wrong.reached);
    EXPECT_TRUE(wrong.out.isEmpty());
    EXPECT_EQ(wrong.err.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(wrong.err.contains(QLatin1String("--frobnicate"))) << wrong.err.toStdString();
}

struct ParseCase { const char *name; QStringList arguments; CommandLine::Action action; QStringList urls; };

class CommandLineParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, ReadsTheArguments)
{
    const CommandLine commandLine = CommandLine::parse(GetParam().arguments);
    EXPECT_EQ(commandLine.action, GetParam().action);
    EXPECT_EQ(commandLine.urls, GetParam().urls);
    EXPECT_EQ(commandLine.problem.isEmpty(), GetParam().action != CommandLine::Action::Refuse);
}

const QString pin = QStringLiteral("orvane://pin");
const QString dashed = QStringLiteral("-odd-but-wanted");

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineParse,
    ::testing::Values(ParseCase{"no_arguments_start", {}, CommandLine::Action::Start, {}},
                      ParseCase{"urls_are_kept_in_order", {pin, QStringLiteral("orvane://toggle")},
                                CommandLine::Action::Start, {pin, QStringLiteral("orvane://toggle")}},
                      ParseCase{"help_wins_over_urls", {pin, QStringLiteral("--help")}, CommandLine::Action::ShowHelp, {}},
                      ParseCase{"version", {QStringLiteral("--version")}, CommandLine::Action::ShowVersion, {}},
                      ParseCase{"an_unknown_option_is_refused", {QStringLiteral("-x"), pin}, CommandLine::Action::Refuse, {}},
                      ParseCase{"after_a_double_dash_everything_is_a_url", {QStringLiteral("--"), dashed, QStringLiteral("--help")},
                                CommandLine::Action::Start, {dashed, QStringLiteral("--help")}}), rowName);

} // namespace
