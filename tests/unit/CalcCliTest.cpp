#include "TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CalcRun { int exitCode; QString out; QString err; };

CalcRun runCalc(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVANE_CALC), arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(10000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

const QByteArray note = "# Budget\r\nrent = 1200\nrent * 12 =\n\n15% of 200\n100 usd to eur\nplain words\n";

TEST(OrvaneCalc, PrintsOneAnswerLinePerInputLineOrInResultsModeTheExpressionsWithTheirAnswers)
{
    CalcRun run = runCalc({}, note);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QString::fromUtf8("\n= 1200\n= 14400\n\n= 30\n= €92.00\n\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.md"));
    ASSERT_TRUE(writeFile(path, note));
    run = runCalc({QStringLiteral("--results"), path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QString::fromUtf8("rent = 1200 = 1200\nrent * 12 = 14400\n15% of 200 = 30\n100 usd to eur = €92.00\n"));
}

TEST(OrvaneCalc, CheckListsTheWrittenAnswersThatAreStaleAndFailsWhenThereAreAny)
{
    CalcRun run = runCalc({QStringLiteral("--check")}, "rent = 1300\nfood = 405\nrent + food = 1655\n2+2 = 4\n3*3 = 6\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QStringLiteral("line 3: Was 1655, now 1705\nline 5: Was 6, now 9\n"));
    run = runCalc({QStringLiteral("--check")}, "rent = 1250\nfood = 405\nrent + food = 1655\nrent * 2\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(OrvaneCalc, ReportsMissingFilesAndBadOptionsOnOneLine)
{
    CalcRun run = runCalc({QStringLiteral("/nonexistent/note.md")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("/nonexistent/note.md")));

    run = runCalc({QStringLiteral("--frobnicate")});
    EXPECT_EQ(run.exitCode, 2);
    run = runCalc({QStringLiteral("--results"), QStringLiteral("--check")});
    EXPECT_EQ(run.exitCode, 2);

    run = runCalc({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QLatin1String("--results")));
    EXPECT_TRUE(run.out.contains(QLatin1String("--check")));
}

} // namespace
