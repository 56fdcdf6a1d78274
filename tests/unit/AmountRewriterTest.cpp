#include "math/AmountRewriter.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <random>

namespace {

// The patterns the rewriter stands in for, run by the regular-expression engine.
QRegularExpression percentPhrasePattern(const char *keyword)
{
    return QRegularExpression(QStringLiteral("([0-9]+(?:\\.[0-9]+)?)\\s*%\\s+%1\\s+([0-9a-zA-Z_\\.\\s\u00B0\\$\u20AC\u00A3\u20B9\u00A5]+)")
                                  .arg(QLatin1String(keyword)),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
}
const QRegularExpression percentOfPattern = percentPhrasePattern("of");
const QRegularExpression percentOffPattern = percentPhrasePattern("off");
const QRegularExpression percentOnPattern = percentPhrasePattern("on");
const QRegularExpression percentPattern(QStringLiteral("([0-9]+(?:\\.[0-9]+)?)\\s*%"),
                                        QRegularExpression::UseUnicodePropertiesOption);

QString byPattern(QString text, const QRegularExpression &pattern, const QString &replacement)
{
    return text.replace(pattern, replacement);
}

// Random lines made of the characters the patterns care about must come out
// exactly as the regular expressions would leave them.
TEST(AmountRewriter, AgreesWithThePatternsOnRandomLines)
{
    const QString alphabet = QStringLiteral("0123456789..%%%  \t\u00A0oOfFnNx_a+*$\u20AC\u00A3\u20B9\u00A5\u212A\u00B0(");
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    const QStringList seeds = {QStringLiteral("15% of 200"), QStringLiteral("1.2.5%"), QStringLiteral("5 % OF  x"),
                               QStringLiteral("3%of 2"), QStringLiteral("$ 1.5.2"), QStringLiteral("2% off $5"), QStringLiteral("2% on  ")};
    for (int round = 0; round < 20000; ++round) {
        QString text = round < seeds.size() ? seeds.at(round) : QString();
        for (int n = length(random); n > 0 && round >= seeds.size(); --n)
            text += alphabet.at(pick(random));
        ASSERT_EQ(AmountRewriter::rewritePercentOf(text), byPattern(text, percentOfPattern, QStringLiteral("((\\1 / 100.0) * \\2)")))
            << text.toStdString();
        ASSERT_EQ(AmountRewriter::rewritePercent(text), byPattern(text, percentPattern, QStringLiteral("(\\1 / 100.0)")))
            << text.toStdString();
        const QString offAndOn = byPattern(byPattern(text, percentOffPattern, QStringLiteral("((1 - \\1 / 100.0) * \\2)")),
                                           percentOnPattern, QStringLiteral("((1 + \\1 / 100.0) * \\2)"));
        ASSERT_EQ(AmountRewriter::rewritePercentOffAndOn(text), offAndOn) << text.toStdString();
    }
}

} // namespace
