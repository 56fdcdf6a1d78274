// orvane-calc: the scratchpad's math in a terminal.
#include "math/CurrencyEngine.h"
#include "math/InlineMathParser.h"
#include "platform/qt/SettingsFileStore.h"
#include "scratchpad/AnswerColumn.h"
#include "scratchpad/ScratchpadSummary.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

const char *usage =
    "Usage: orvane-calc [--results | --check] [FILE]\n"
    "\n"
    "Evaluates a note the way Orvane's scratchpad does, reading FILE or, without\n"
    "one, standard input. Each line may be a calculation (2+2), a request for an\n"
    "answer (15% of 200 =), an assignment (rent = 1200) or a conversion\n"
    "(100 usd to eur); variables flow from each line to the lines below it.\n"
    "\n"
    "Prints one line per input line: that line's answer (for example \"= 4\"), or\n"
    "an empty line when the line has none.\n"
    "\n"
    "  --results   print only the lines with an answer, as \"expression = answer\",\n"
    "              the text that the scratchpad's Copy Results puts on the clipboard\n"
    "  --check     print the answers written after \"=\" that their lines no longer\n"
    "              give, one per line (\"line 3: Was 1655, now 1705\"), and exit 1\n"
    "              when there is one\n"
    "  --help      show this text\n"
    "\n"
    "Exchange rates are those Orvane last stored; orvane-calc never goes online.\n";

int fail(const QString &message)
{
    std::fprintf(stderr, "orvane-calc: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    bool resultsOnly = false;
    bool check = false;
    QString path;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (argument == QLatin1String("--results"))
            resultsOnly = true;
        else if (argument == QLatin1String("--check"))
            check = true;
        else if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-"))
            return fail(QStringLiteral("unknown option %1 (see --help)").arg(argument));
        else if (!path.isEmpty())
            return fail(QStringLiteral("give at most one file (see --help)"));
        else
            path = argument;
    }

    if (resultsOnly && check)
        return fail(QStringLiteral("give --results or --check, not both"));

    QFile input;
    const bool opened = path.isEmpty() || path == QLatin1String("-")
        ? input.open(stdin, QIODevice::ReadOnly)
        : (input.setFileName(path), input.open(QIODevice::ReadOnly));
    if (!opened)
        return fail(QStringLiteral("cannot read %1: %2").arg(path, input.errorString()));
    QString note = QString::fromUtf8(input.readAll());
    // Files from other systems end lines with CR LF; a note in the editor never does.
    note.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (note.endsWith(QLatin1Char('\n')))
        note.chop(1);

    SettingsFileStore store;
    const CurrencyEngine currency(store);
    InlineMathParser parser(currency);

    QTextStream out(stdout);
    if (check) {
        bool anyStale = false;
        for (const AnswerColumn::Answer &answer :
             AnswerColumn::answersOf(InlineMathParser::splitLines(note), parser.parseDocument(note))) {
            if (answer.isStale()) {
                out << "line " << answer.line + 1 << ": " << answer.staleText() << '\n';
                anyStale = true;
            }
        }
        return anyStale ? 1 : 0;
    }
    if (resultsOnly) {
        if (const auto text = ScratchpadSummary::resultsText(note, parser))
            out << *text << '\n';
        return 0;
    }
    const QList<MathResult> results = parser.parseDocument(note);
    const qsizetype lineCount = note.isEmpty() ? 0 : InlineMathParser::splitLines(note).size();
    auto next = results.cbegin();
    for (qsizetype line = 0; line < lineCount; ++line) {
        if (next != results.cend() && next->lineNumber == line)
            out << (next++)->resultString;
        out << '\n';
    }
    return 0;
}
