#include "icons/FaviconCache.h"

FaviconCache &FaviconCache::shared()
{
    static FaviconCache cache;
    return cache;
}

std::optional<FaviconAnalysis> FaviconCache::get(const QString &key) const
{
    const QMutexLocker lock(&m_mutex);
    const FaviconAnalysis *entry = m_entries.object(key);
    return entry ? std::optional(*entry) : std::nullopt;
}

void FaviconCache::set(const QString &key, const FaviconAnalysis &analysis)
{
    const QMutexLocker lock(&m_mutex);
    m_entries.insert(key, new FaviconAnalysis(analysis));
}
