#include "math/AmountRewriter.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <random>

namespace {

// The patterns the rewriter stands in for, run by the regular-expression engine.
const QRegularExpression currencyPattern(QStringLiteral("([\\$\u20AC\u00A3\u20B9\u00A5])\\s*([0-9]+(?:\\.[0-9]+)?)"),
                                         QRegularExpression::UseUnicodePropertiesOption);
const QRegularExpression percentOfPattern(QStringLiteral("([0-9]+(?:\\.[0-9]+)?)\\s*%\\s+of\\s+([0-9a-zA-Z_\\.\\s]+)"),
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::UseUnicodePropertiesOption);
const QRegularExpression percentPattern(QStringLiteral("([0-9]+(?:\\.[0-9]+)?)\\s*%"),
                                        QRegularExpression::UseUnicodePropertiesOption);

QString byPattern(QString text, const QRegularExpression &pattern, const QString &replacement)
{
    return text.replace(pattern, replacement);
}

QStringList currencyByPattern(const QString &text)
{
    QStringList found;
    for (auto it = currencyPattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        found.append(QStringLiteral("%1@%2+%3:%4")
                         .arg(match.captured(1))
                         .arg(match.capturedStart())
                         .arg(match.capturedLength())
                         .arg(match.captured(2).toDouble()));
    }
    return found;
}

QStringList currencyByRewriter(const QString &text)
{
    QStringList found;
    for (const AmountRewriter::CurrencyAmount &amount : AmountRewriter::currencyAmounts(text))
        found.append(QStringLiteral("%1@%2+%3:%4").arg(amount.symbol).arg(amount.start).arg(amount.length).arg(amount.amount));
    return found;
}

TEST(AmountRewriter, RewritesTheDocumentedExamples)
{
    EXPECT_EQ(AmountRewriter::rewritePercentOf(QStringLiteral("15% of 200")), QStringLiteral("((15 / 100.0) * 200)"));
    EXPECT_EQ(AmountRewriter::rewritePercentOf(QStringLiteral("10% of 200 + 5")), QStringLiteral("((10 / 100.0) * 200 )+ 5"));
    EXPECT_EQ(AmountRewriter::rewritePercent(QStringLiteral("50 + 10%")), QStringLiteral("50 + (10 / 100.0)"));
    EXPECT_EQ(currencyByRewriter(QStringLiteral("$100 + \u20AC 50.25")), QStringList({"$@0+4:100", QStringLiteral("\u20AC@7+7:50.25")}));
    EXPECT_EQ(AmountRewriter::currencyAmounts(QStringLiteral("\u00A5 0.5")).first().amount, 0.5);
}

// Random lines made of the characters the patterns care about must come out
// exactly as the regular expressions would leave them.
TEST(AmountRewriter, AgreesWithThePatternsOnRandomLines)
{
    const QString alphabet = QStringLiteral("0123456789..%%%  \t\u00A0oOfFx_a+*$\u20AC\u00A3\u20B9\u00A5\u212A(");
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    const QStringList seeds = {QStringLiteral("15% of 200"), QStringLiteral("1.2.5%"), QStringLiteral("5 % OF  x"),
                               QStringLiteral("3%of 2"), QStringLiteral("$ 1.5.2")};
    for (int round = 0; round < 20000; ++round) {
        QString text = round < seeds.size() ? seeds.at(round) : QString();
        for (int n = length(random); n > 0 && round >= seeds.size(); --n)
            text += alphabet.at(pick(random));
        ASSERT_EQ(AmountRewriter::rewritePercentOf(text), byPattern(text, percentOfPattern, QStringLiteral("((\\1 / 100.0) * \\2)")))
            << text.toStdString();
        ASSERT_EQ(AmountRewriter::rewritePercent(text), byPattern(text, percentPattern, QStringLiteral("(\\1 / 100.0)")))
            << text.toStdString();
        ASSERT_EQ(currencyByRewriter(text), currencyByPattern(text)) << text.toStdString();
    }
}

} // namespace
