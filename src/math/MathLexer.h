#pragma once

#include "math/MathToken.h"

#include <QHash>
#include <QList>

#include <optional>

using MathVariables = QHash<QString, double>;

namespace MathLexer {

// The key a variable name is stored and looked up under: lower case, spaces
// turned into "_".
QString variableKey(const QString &name);

// Cuts an expression into tokens, resolving constants, functions and the
// variables given. An empty list for blank text; nothing when any part of the
// text cannot be read.
std::optional<QList<MathToken>> tokenize(const QString &text, const MathVariables &variables);

} // namespace MathLexer
