#pragma once

#include "icons/FaviconAnalysis.h"
#include "icons/FaviconCandidates.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

// Downloads a site's icon from the first candidate that answers with an
// image, decodes it and renders its tile off the main thread and keeps it in
// the cache.
class FaviconLoader final : public QObject
{
    Q_OBJECT

public:
    FaviconLoader(QNetworkAccessManager &network, QObject *parent = nullptr);
    // A download still running is cancelled.
    ~FaviconLoader() override;

    // Emits finished() once: with the cached tile at once when there is one.
    void load(const FaviconSources &sources, double pointSize);

Q_SIGNALS:
    void finished(const std::optional<FaviconAnalysis> &analysis);

private:
    void tryCandidate(qsizetype index);
    void decodeAndAnalyze(const QByteArray &body, qsizetype index);

    QNetworkAccessManager &m_network;
    QPointer<QNetworkReply> m_reply;
    FaviconSources m_sources;
    double m_pointSize = 0;
};
