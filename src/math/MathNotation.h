#pragma once

#include <QString>

// The ways people write numbers in notes, turned into the engine's own
// notation before a line is read:
//   thousands separators   "1,250.50" → "1250.50" (a comma before exactly three digits)
//   scale                  "1.5k", "2M", "1.2B", "3 million" → "1500", "2000000", …
//   a currency sign after  "100€", "100 €" → "€100"
//   signs                  "×" and an "x" between numbers → "*", "÷" → "/", "−" → "-"
// Everything else is left as it is, so a line that reads without these
// reads exactly as before. One pass, linear in the text's length.
namespace MathNotation {

QString normalise(const QString &text);

} // namespace MathNotation
