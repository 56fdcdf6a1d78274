#pragma once

#include "math/MathQuantity.h"
#include "math/MathToken.h"

#include <QHash>
#include <QList>

#include <functional>
#include <optional>

using MathVariables = QHash<QString, MathQuantity>;

namespace MathLexer {

// The key a variable name is stored and looked up under: lower case, spaces
// turned into "_".
QString variableKey(const QString &name);

// What one line's reading looked up, so that it is read again only when any
// of it holds something else.
struct Lookups
{
    // Each variable key looked up, with what it held then (nothing when it was not defined).
    QList<std::pair<QString, std::optional<MathQuantity>>> variables;
    // Whether "prev" or "ans" was read.
    bool previous = false;
};

// What the names and words of one line stand for.
struct Names
{
    const MathVariables &variables;
    // What "prev" and "ans" stand for (unless a variable has that name); none without.
    const MathQuantity *previous = nullptr;
    // What a currency sign before an amount, or a word after one, says it
    // counts: "$" → "USD", "km" → "km". Without it amounts carry nothing.
    std::function<std::optional<QString>(QStringView)> unitOf = {};
};

// Cuts an expression into tokens, resolving constants, functions and the
// variables given. An empty list for blank text; nothing when any part of the
// text cannot be read. What it looked up is added to `lookups`.
std::optional<QList<MathToken>> tokenize(const QString &text, const Names &names, Lookups *lookups = nullptr);
std::optional<QList<MathToken>> tokenize(const QString &text, const MathVariables &variables);

} // namespace MathLexer
