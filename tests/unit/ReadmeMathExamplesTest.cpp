// Every example of the README's "Live math" table, run as the scratchpad runs
// it: the README shows nothing the math does not do.
#include "FakePorts.h"
#include "math/CurrencyEngine.h"
#include "math/InlineMathParser.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Example { QString row; QStringList lines; QStringList answers; };

QStringList codeSpans(const QString &cell)
{
    static const QRegularExpression span(QStringLiteral("`([^`]*)`"));
    QStringList spans;
    for (auto it = span.globalMatch(cell); it.hasNext();)
        spans.append(it.next().captured(1));
    return spans;
}

// The rows of the first table after the "## Live math" heading.
QList<Example> readmeExamples()
{
    QFile readme(QStringLiteral(ORVANE_README));
    if (!readme.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(readme.readAll()).split(QLatin1Char('\n'));
    QList<Example> examples;
    qsizetype i = lines.indexOf(QStringLiteral("## Live math"));
    if (i < 0)
        return {};
    while (i < lines.size() && !lines.at(i).startsWith(QLatin1Char('|')))
        ++i;
    for (i += 2; i < lines.size() && lines.at(i).startsWith(QLatin1Char('|')); ++i) {
        const QStringList cells = lines.at(i).split(QLatin1Char('|'));
        if (cells.size() < 3)
            continue;
        examples.append({lines.at(i), codeSpans(cells.at(1)), codeSpans(cells.at(2))});
        // A row with no answer must say so, not merely lack one.
        if (examples.last().answers.isEmpty()) {
            EXPECT_EQ(cells.at(2).trimmed(), QStringLiteral("nothing")) << lines.at(i).toStdString();
        }
    }
    return examples;
}

TEST(ReadmeLiveMath, EveryExampleGivesTheAnswersShown)
{
    MemoryStore store;
    const CurrencyEngine currency(store);
    const QList<Example> examples = readmeExamples();
    ASSERT_GE(examples.size(), 15) << "the README's table was not found";
    for (const Example &example : examples) {
        ASSERT_FALSE(example.lines.isEmpty()) << example.row.toStdString();
        InlineMathParser parser(currency);
        QStringList answers;
        for (const MathResult &result : parser.parseDocument(example.lines.join(QLatin1Char('\n'))))
            answers.append(result.resultString);
        EXPECT_EQ(answers, example.answers) << example.row.toStdString();
    }
}

} // namespace
