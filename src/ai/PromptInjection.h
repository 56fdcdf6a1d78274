#pragma once

#include <QString>

// The script that types a prompt into the chat box of a page, before any
// draft already there, and returns whether the box holds the prompt
// afterwards. It never submits: the user reviews and sends.
QString promptInjectionScript(const QString &prompt);
