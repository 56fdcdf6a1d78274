#include "state/CountText.h"

namespace CountText {

QString of(qsizetype count, const QString &one, const QString &many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

} // namespace CountText
