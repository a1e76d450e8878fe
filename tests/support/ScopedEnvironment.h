#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// Sets an environment variable (or, given nothing, removes it) for as long
// as it lives, then gives back what was there, unset included, so a test
// that points the program somewhere else leaves no trace for the next one.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const std::optional<QByteArray>& value) : m_name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            m_previous = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (m_previous)
            qputenv(m_name, *m_previous);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_previous;
};
