#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

class KeyValueStore;
class QNetworkAccessManager;

// A conversion phrase such as "100 usd to eur".
struct CurrencyConversion
{
    double amount = 0;
    QString fromCode;
    QString toCode;

    bool operator==(const CurrencyConversion &) const = default;
};

// Twelve currencies, converted through US-dollar rates. Starts from built-in
// rates overlaid with those a previous run stored; a refresh stores fresh
// rates for the next run and never changes the rates of this one. Stored and
// downloaded rates count only within a factor of 1,000 of the built-in ones.
class CurrencyEngine final : public QObject
{
    Q_OBJECT

public:
    // The public service that answers "/v6/latest/USD".
    static QUrl defaultServiceAddress();

    // Reads the stored rates; does not touch the network.
    explicit CurrencyEngine(KeyValueStore &store, QObject *parent = nullptr);

    std::optional<QString> resolveCurrencyCode(const QString &text) const;
    std::optional<double> convert(double amount, const QString &from, const QString &to) const;
    QString formatCurrency(double amount, const QString &code) const;
    std::optional<CurrencyConversion> parseConversion(const QString &line) const;

    double rateToUSD(const QString &code) const { return m_ratesToUSD.value(code); }

    // Downloads the latest rates from `serviceAddress` and stores those of the
    // known currencies; emits refreshFinished either way. Never blocks.
    void refreshRatesAsync(const QUrl &serviceAddress, QNetworkAccessManager &network);

Q_SIGNALS:
    void refreshFinished(bool stored);

private:
    void loadCachedRates();
    bool storeRates(const QByteArray &reply);

    KeyValueStore &m_store;
    QHash<QString, double> m_ratesToUSD;
};
