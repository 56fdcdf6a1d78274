#include "math/LineResultCache.h"

quint64 LineResultCache::keyOf(const QString &line, quint64 variablesFingerprint)
{
    return quint64(qHash(line, 0x2545F4914F6CDD1DULL)) * 0x9E3779B97F4A7C15ULL ^ variablesFingerprint;
}

const LineResultCache::Entry *LineResultCache::find(const QString &line, quint64 variablesFingerprint,
                                                   quint64 answersAbove) const
{
    const auto it = m_entries.constFind(keyOf(line, variablesFingerprint));
    if (it == m_entries.cend() || it->variablesFingerprint != variablesFingerprint || it->line != line)
        return nullptr;
    if (it->entry.answersAbove && *it->entry.answersAbove != answersAbove)
        return nullptr;
    return &it->entry;
}

void LineResultCache::insert(const QString &line, quint64 variablesFingerprint, const Entry &entry)
{
    if (m_entries.size() >= capacity)
        m_entries.clear();
    m_entries.insert(keyOf(line, variablesFingerprint), {line, variablesFingerprint, entry});
}
