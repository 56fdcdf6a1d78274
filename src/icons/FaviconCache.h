#pragma once

#include "icons/FaviconAnalysis.h"

#include <QCache>
#include <QMutex>
#include <QString>

#include <optional>

// Rendered icon tiles of the process, by cache key; safe to use from any thread.
class FaviconCache final
{
public:
    static constexpr int capacity = 300;

    static FaviconCache &shared();

    std::optional<FaviconAnalysis> get(const QString &key) const;
    void set(const QString &key, const FaviconAnalysis &analysis);

private:
    mutable QMutex m_mutex;
    QCache<QString, FaviconAnalysis> m_entries{capacity};
};
