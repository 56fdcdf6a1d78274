#pragma once

#include <QString>

// The script that types a prompt into the chat input of a page and returns
// whether it found one. It never submits: the user reviews and sends.
QString promptInjectionScript(const QString &prompt);
