#include "FakePorts.h"

std::optional<bool> MemoryStore::boolValue(const QString &key) const
{
    return values.contains(key) ? std::optional(values.value(key).toBool()) : std::nullopt;
}

std::optional<double> MemoryStore::doubleValue(const QString &key) const
{
    bool ok = false;
    const double value = values.value(key).toDouble(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<QString> MemoryStore::stringValue(const QString &key) const
{
    const QVariant value = values.value(key);
    return value.typeId() == QMetaType::QString ? std::optional(value.toString()) : std::nullopt;
}

std::optional<QByteArray> MemoryStore::dataValue(const QString &key) const
{
    const QVariant value = values.value(key);
    return value.typeId() == QMetaType::QByteArray ? std::optional(value.toByteArray()) : std::nullopt;
}

void MemoryStore::remove(const QString &key)
{
    values.remove(key);
    writes.append(key);
}

void MemoryStore::write(const QString &key, const QVariant &value)
{
    values.insert(key, value);
    writes.append(key);
}

void FakeAppearance::change(bool isDark)
{
    dark = isDark;
    if (m_handler)
        m_handler();
}
