#pragma once

#include <QString>

#include <functional>

// The rewrites a line goes through before its arithmetic: currency amounts,
// "15% of 200" and "10%". Each finds exactly what these patterns match (ICU
// syntax, leftmost matches, replaced from the original text):
//   currency amount  ([\$€£₹¥])\s*([0-9]+(?:\.[0-9]+)?)
//   percent-of       ([0-9]+(?:\.[0-9]+)?)\s*%\s+of\s+([0-9a-zA-Z_\.\s]+)   (case-insensitive)
//   percent          ([0-9]+(?:\.[0-9]+)?)\s*%
// but scans by hand: the note is re-read on every keystroke, and a regular
// expression costs several times more here.
namespace AmountRewriter {

struct CurrencyAmount
{
    qsizetype start = 0;
    qsizetype length = 0;
    QChar symbol;
    double amount = 0;
};

QList<CurrencyAmount> currencyAmounts(const QString &text);
// The text with each of `amounts` (as found in it, in order) replaced by what
// `replacement` makes of it, in one pass over the text.
QString replaceCurrencyAmounts(const QString &text, const QList<CurrencyAmount> &amounts,
                               const std::function<QString(const CurrencyAmount &)> &replacement);
// "15% of 200" → "((15 / 100.0) * 200)".
QString rewritePercentOf(const QString &text);
// "10%" → "(10 / 100.0)".
QString rewritePercent(const QString &text);

} // namespace AmountRewriter
