#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <optional>

// The user's settings: typed values under string keys.
class KeyValueStore
{
public:
    virtual ~KeyValueStore() = default;
    KeyValueStore() = default;
    KeyValueStore(const KeyValueStore &) = delete;
    KeyValueStore &operator=(const KeyValueStore &) = delete;

    virtual bool contains(const QString &key) const = 0;
    // Each read gives nothing when the key is missing or its value does not
    // convert to the asked type.
    virtual std::optional<bool> boolValue(const QString &key) const = 0;
    virtual std::optional<double> doubleValue(const QString &key) const = 0;
    virtual std::optional<QString> stringValue(const QString &key) const = 0;
    virtual std::optional<QByteArray> dataValue(const QString &key) const = 0;

    virtual void setBool(const QString &key, bool value) = 0;
    virtual void setDouble(const QString &key, double value) = 0;
    virtual void setString(const QString &key, const QString &value) = 0;
    virtual void setData(const QString &key, const QByteArray &value) = 0;
    virtual void remove(const QString &key) = 0;

    // The stored value as it is, whatever its type (invalid when missing): for
    // setting aside what cannot be read, without losing any of it.
    virtual QVariant rawValue(const QString &key) const = 0;
    virtual void setRawValue(const QString &key, const QVariant &value) = 0;
};
