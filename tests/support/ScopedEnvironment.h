#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// Sets an environment variable for one test and puts back what was there.
class ScopedEnvironment final
{
public:
    ScopedEnvironment(const char *name, const std::optional<QString> &value)
        : m_name(name), m_previous(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt)
    {
        set(value ? std::optional(value->toLocal8Bit()) : std::nullopt);
    }
    ~ScopedEnvironment() { set(m_previous); }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    void set(const std::optional<QByteArray> &value)
    {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }

    const char *m_name;
    std::optional<QByteArray> m_previous;
};
