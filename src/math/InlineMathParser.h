#pragma once

#include "math/MathLexer.h"
#include "math/MathResult.h"

#include <QList>
#include <QString>

#include <optional>

class CurrencyEngine;

// Decides line by line whether a note's line is a calculation, and computes
// and formats its answer: "2+2 =", "rent = 1200", "100 usd to eur", "15% of 200",
// "Groceries: 45 + 30", "5 km in miles", "total".
// Variables assigned on a line are visible to the lines after it, and so are
// its answer ("prev") and the answers of its block ("total").
class InlineMathParser final
{
public:
    struct DetailedResult
    {
        double value = 0;
        QString formatted;
        // A currency code or unit symbol, as MathResult::unit.
        QString unit;
    };

    explicit InlineMathParser(const CurrencyEngine &currency);

    // The results of every line that has one; starts from no variables.
    // Reading a note again works out anew only the lines whose text changed
    // and those that read something (a variable, "prev", "total") that now
    // holds something else; the others give what they gave.
    QList<MathResult> parseDocument(const QString &text);
    // The same, for a note already split with splitLines.
    QList<MathResult> parseDocument(const QStringList &lines);
    // How many lines the last parseDocument worked out anew.
    qsizetype linesWorkedOut() const { return m_linesWorkedOut; }
    std::optional<MathResult> parseLine(const QString &line, int lineNumber);
    std::optional<DetailedResult> evaluateDetailed(const QString &expression) const;
    std::optional<double> evaluateExpression(const QString &expression) const;
    QString formatResult(double value) const;
    // Forgets the variables and the answers above.
    void resetVariables();

    const MathVariables &variables() const { return m_variables; }

    // Whether text after a line's last "=" is an answer left there before:
    // a number, possibly with currency signs, grouping and a percent sign.
    static bool isAnswerString(const QString &text);
    // The pieces of a note, split at each of the Unicode newline characters.
    static QStringList splitLines(const QString &text);
    // How many pieces splitLines gives.
    static qsizetype lineCount(const QString &text);

private:
    // A line of the last reading: what it gave and what that was worked out from.
    struct ReadLine
    {
        QString text;
        // False for a line the reading has not worked out yet.
        bool known = false;
        std::optional<MathResult> result;
        // The variable the line assigned, if it did.
        std::optional<std::pair<QString, MathQuantity>> assignment;
        MathLexer::Lookups lookups;
        // Whether it added up its block ("total").
        bool readBlock = false;
        // The answer above it and its block's, as fingerprints, when it was worked out.
        quint64 previousSeen = 0;
        quint64 blockSeen = 0;
    };

    void dropReadingIfLocaleChanged();
    QList<ReadLine> lineUp(const QStringList &lines);
    bool stillHolds(const ReadLine &line) const;
    ReadLine workOut(const QString &text, int lineNumber);
    std::optional<MathResult> evaluateLine(const QString &line, int lineNumber);
    std::optional<MathResult> parseContent(const QString &content, int lineNumber);
    std::optional<MathResult> parseRequest(const QString &content, int lineNumber);
    std::optional<MathResult> parseLabelled(const QString &content, int lineNumber);
    bool isVariable(const QString &key) const;
    std::optional<DetailedResult> total() const;
    std::optional<DetailedResult> evaluateArithmetic(const QString &text) const;
    std::optional<DetailedResult> convertToUnit(const QString &text) const;
    std::optional<DetailedResult> shareOf(const QString &text) const;
    std::optional<QString> unitOf(QStringView word) const;
    std::optional<double> inUnit(const MathQuantity &quantity, const QString &unit) const;
    QString format(double value, const QString &unit) const;
    bool assign(const QString &name, const QString &expression, DetailedResult &result);
    void setVariable(const QString &key, const MathQuantity &value);
    void noteAnswer(const QString &line, const std::optional<MathResult> &result);

    const CurrencyEngine &m_currency;
    MathVariables m_variables;
    std::optional<std::pair<QString, MathQuantity>> m_lastAssignment;
    // The nearest answer above the line being read, and those of its block
    // (the lines since the last empty line or heading), each with a fingerprint.
    std::optional<MathQuantity> m_previous;
    quint64 m_previousFingerprint = 0;
    QList<MathQuantity> m_block;
    quint64 m_blockFingerprint = 0;
    // Where the line being worked out notes what it looks up; none outside parseDocument.
    MathLexer::Lookups *m_lookups = nullptr;
    mutable bool m_readBlock = false;
    // The lines of the last parseDocument.
    QList<ReadLine> m_lines;
    qsizetype m_linesWorkedOut = 0;
    // Results are formatted in the locale; a new locale starts the reading over.
    QString m_readingLocale;
};
