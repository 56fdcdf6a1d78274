#pragma once

#include "FakeClock.h"
#include "platform/MemoryKeyValueStore.h"
#include "platform/Ports.h"
#include "platform/ProcessMemory.h"
#include "platform/SystemAppearance.h"

#include <QStringList>
#include <QVariant>

// Settings in memory, with a log of every write for tests that count them.
class MemoryStore final : public MemoryKeyValueStore
{
public:
    void remove(const QString &key) override
    {
        MemoryKeyValueStore::remove(key);
        writes.append(key);
    }

    QStringList writes; // keys, in the order written or removed

protected:
    void write(const QString &key, const QVariant &value) override
    {
        MemoryKeyValueStore::write(key, value);
        writes.append(key);
    }
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

// Answers every reading at once.
class FakeMemory final : public ProcessMemory
{
public:
    void read(std::function<void(const Reading &)> done) override { done({proportional, resident}); }

    std::optional<quint64> proportional = 120ull << 20;
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
