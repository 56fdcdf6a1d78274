#pragma once

#include "math/MathQuantity.h"
#include "math/MathResult.h"

#include <QHash>
#include <QString>

#include <optional>
#include <utility>

// What each line of a note gave, by the line's text and the variables in
// force before it, so that reading a note again after a keystroke evaluates
// only the lines whose text or inputs changed. A line that read the answers
// above it ("total", "prev") is reused only while those are the same.
class LineResultCache final
{
public:
    struct Entry
    {
        // The line's result, line number aside.
        std::optional<MathResult> result;
        // The variable the line assigned, if it did.
        std::optional<std::pair<QString, MathQuantity>> assignment;
        // The answers above the line, as a fingerprint, when the line read them.
        std::optional<quint64> answersAbove;
    };

    // Far more lines than any note has; past it the cache starts over.
    static constexpr qsizetype capacity = 50000;

    const Entry *find(const QString &line, quint64 variablesFingerprint, quint64 answersAbove) const;
    void insert(const QString &line, quint64 variablesFingerprint, const Entry &entry);
    void clear() { m_entries.clear(); }

private:
    struct Slot
    {
        QString line;
        quint64 variablesFingerprint;
        Entry entry;
    };
    static quint64 keyOf(const QString &line, quint64 variablesFingerprint);

    // Keyed by a hash of both; the slot keeps the line to tell collisions apart.
    QHash<quint64, Slot> m_entries;
};
