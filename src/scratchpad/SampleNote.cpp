#include "scratchpad/SampleNote.h"

#include <QStringList>

namespace SampleNote {

QString text()
{
    static const QString note = QStringList{
        QStringLiteral("# Live Notes & Calculations"),
        QString(),
        QStringLiteral("Keep the work in focus."),
        QStringLiteral("Bring everything else to the edge."),
        QString(),
        QStringLiteral("- [x] Review project roadmap"),
        QStringLiteral("- [ ] Send client proposal"),
        QString(),
        QStringLiteral("### Live Math & Variables"),
        QStringLiteral("team_lunch = 4 * 25 = 100"),
        QStringLiteral("tools = 20 + 12 + 8 = 40"),
        QStringLiteral("per_person = team_lunch / 4 = 25"),
        QStringLiteral("discount = 15% of team_lunch = 15"),
        QString(),
        QStringLiteral("### Live Currency Conversions"),
        QStringLiteral("flight = $450 in EUR = \u20AC414.00"),
        QStringLiteral("hotel = \u20AC180 to USD = $195.65"),
        QStringLiteral("client_budget = 1000 USD to INR = \u20B983,500.00"),
        QStringLiteral("total_usd = $250 + \u20AC100 = $358.70"),
    }.join(QLatin1Char('\n'));
    return note;
}

} // namespace SampleNote
