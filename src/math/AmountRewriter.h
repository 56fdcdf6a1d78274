#pragma once

#include <QString>

// The rewrites a line goes through before its arithmetic: "15% of 200",
// "20% off 80", "20% on 80" and "10%". Each finds exactly what these patterns
// match (ICU syntax, leftmost matches, replaced from the original text):
//   percent-of       ([0-9]+(?:\.[0-9]+)?)\s*%\s+of\s+([0-9a-zA-Z_\.\s°$€£₹¥]+)   (case-insensitive;
//                    "off" and "on" alike)
//   percent          ([0-9]+(?:\.[0-9]+)?)\s*%
// but scans by hand: the note is re-read on every keystroke, and a regular
// expression costs several times more here.
namespace AmountRewriter {

// "15% of 200" → "((15 / 100.0) * 200)".
QString rewritePercentOf(const QString &text);
// "20% off 80" → "((1 - 20 / 100.0) * 80)", "20% on 80" → "((1 + 20 / 100.0) * 80)".
QString rewritePercentOffAndOn(const QString &text);
// "10%" → "(10 / 100.0)".
QString rewritePercent(const QString &text);

} // namespace AmountRewriter
