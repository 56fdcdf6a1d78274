#pragma once

#include "math/LineResultCache.h"
#include "math/MathLexer.h"
#include "math/MathResult.h"

#include <QList>
#include <QString>

#include <optional>

class CurrencyEngine;

// Decides line by line whether a note's line is a calculation, and computes
// and formats its answer: "2+2 =", "rent = 1200", "100 usd to eur", "15% of 200".
// Variables assigned on a line are visible to the lines after it.
class InlineMathParser final
{
public:
    struct DetailedResult
    {
        double value = 0;
        QString formatted;
    };

    explicit InlineMathParser(const CurrencyEngine &currency);

    // The results of every line that has one; starts from no variables.
    QList<MathResult> parseDocument(const QString &text);
    std::optional<MathResult> parseLine(const QString &line, int lineNumber);
    std::optional<DetailedResult> evaluateDetailed(const QString &expression) const;
    std::optional<double> evaluateExpression(const QString &expression) const;
    QString formatResult(double value) const;
    void resetVariables();

    const MathVariables &variables() const { return m_variables; }

    // Whether text after a line's last "=" is an answer left there before:
    // a number, possibly with currency signs, grouping and a percent sign.
    static bool isAnswerString(const QString &text);
    // The pieces of a note, split at each of the Unicode newline characters.
    static QStringList splitLines(const QString &text);

private:
    void dropCacheIfLocaleChanged();
    std::optional<MathResult> parseLineUsingCache(const QString &line, int lineNumber);
    std::optional<MathResult> parseContent(const QString &content, int lineNumber);
    bool assign(const QString &name, const QString &expression, DetailedResult &result);
    void setVariable(const QString &key, double value);

    const CurrencyEngine &m_currency;
    MathVariables m_variables;
    // Stands for the whole variable table (order-independent), kept up to date on every assignment.
    quint64 m_variablesFingerprint = 0;
    std::optional<std::pair<QString, double>> m_lastAssignment;
    LineResultCache m_cache;
    // Results are formatted in the locale; a new locale starts the cache over.
    QString m_cacheLocale;
};
