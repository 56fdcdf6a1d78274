#pragma once

#include "FakeClock.h"
#include "platform/KeyValueStore.h"
#include "platform/Ports.h"
#include "platform/ProcessMemory.h"
#include "platform/SystemAppearance.h"

#include <QMap>
#include <QStringList>
#include <QVariant>

// Settings in memory, with a log of every write for tests that count them.
class MemoryStore final : public KeyValueStore
{
public:
    bool contains(const QString &key) const override { return values.contains(key); }
    std::optional<bool> boolValue(const QString &key) const override;
    std::optional<double> doubleValue(const QString &key) const override;
    std::optional<QString> stringValue(const QString &key) const override;
    std::optional<QByteArray> dataValue(const QString &key) const override;
    void setBool(const QString &key, bool value) override { write(key, value); }
    void setDouble(const QString &key, double value) override { write(key, value); }
    void setString(const QString &key, const QString &value) override { write(key, value); }
    void setData(const QString &key, const QByteArray &value) override { write(key, value); }
    void remove(const QString &key) override;

    QMap<QString, QVariant> values;
    QStringList writes; // keys, in the order written or removed

private:
    void write(const QString &key, const QVariant &value);
};

class FakeAppearance final : public SystemAppearance
{
public:
    bool isDark() const override { return dark; }
    void setChangeHandler(std::function<void()> handler) override { m_handler = std::move(handler); }
    // Flips the appearance and notifies, as the desktop would.
    void change(bool isDark);

    bool dark = false;

private:
    std::function<void()> m_handler;
};

class FakeMemory final : public ProcessMemory
{
public:
    std::optional<quint64> footprintBytes() const override { return footprint; }
    std::optional<quint64> residentBytes() const override { return resident; }

    std::optional<quint64> footprint = 120ull << 20;
    std::optional<quint64> resident = 150ull << 20;
};

// One set of fakes, ready to hand to a service's constructor.
struct FakePorts
{
    FakeClock clock;
    MemoryStore store;
    FakeAppearance appearance;
    FakeMemory memory;

    Ports ports() { return {clock, store, appearance, memory}; }
};
