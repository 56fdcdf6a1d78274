#pragma once

#include "platform/KeyValueStore.h"

#include <QMap>
#include <QVariant>

// Settings that live only as long as the process: for tools that must not
// touch the user's settings file, and as the base of test doubles.
class MemoryKeyValueStore : public KeyValueStore
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
    QVariant rawValue(const QString &key) const override { return values.value(key); }
    void setRawValue(const QString &key, const QVariant &value) override { write(key, value); }

    QMap<QString, QVariant> values;

protected:
    virtual void write(const QString &key, const QVariant &value);
};
