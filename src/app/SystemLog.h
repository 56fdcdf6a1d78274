#pragma once

#include <QString>

namespace SystemLog {

// Routes Qt's messages to standard error, one line each.
void install();
// One diagnostic line, such as "[Orvane] Panel displayed successfully.".
void write(const QString &line);

} // namespace SystemLog
