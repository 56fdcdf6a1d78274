#include "platform/MemoryKeyValueStore.h"

std::optional<bool> MemoryKeyValueStore::boolValue(const QString &key) const
{
    return values.contains(key) ? std::optional(values.value(key).toBool()) : std::nullopt;
}

std::optional<double> MemoryKeyValueStore::doubleValue(const QString &key) const
{
    bool ok = false;
    const double value = values.value(key).toDouble(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<QString> MemoryKeyValueStore::stringValue(const QString &key) const
{
    const QVariant value = values.value(key);
    return value.typeId() == QMetaType::QString ? std::optional(value.toString()) : std::nullopt;
}

std::optional<QByteArray> MemoryKeyValueStore::dataValue(const QString &key) const
{
    const QVariant value = values.value(key);
    return value.typeId() == QMetaType::QByteArray ? std::optional(value.toByteArray()) : std::nullopt;
}

void MemoryKeyValueStore::remove(const QString &key)
{
    values.remove(key);
}

void MemoryKeyValueStore::write(const QString &key, const QVariant &value)
{
    values.insert(key, value);
}
