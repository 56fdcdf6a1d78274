#pragma once

#include <QString>

// A count and its noun, singular for one: "1 item", "0 items", "3 items".
namespace CountText {

QString of(qsizetype count, const QString &one, const QString &many);

} // namespace CountText
