#pragma once

#include <QString>

#include <optional>
#include <utility>

// What a read, a write, a switch or a start came to: its value, or why it
// did not happen, in words for the user. One shape everywhere, so a caller
// can neither miss a failure nor mistake an empty text for success.
//
//     Result<QByteArray> read = readFileBytes(path);
//     if (!read.ok())
//         tell(read.error());
//     use(read.value());
//
// A function that fails returns Failure{reason}; one that succeeds returns
// its value, or {} when there is none (Result<>).

struct Failure
{
    QString reason;
};

template <class T = void> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_error(std::move(failure.reason)) {}

    bool ok() const { return m_value.has_value(); }
    // The value; only for a result that is ok().
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    // The value, or the fallback where the result failed.
    T valueOr(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    // Why it failed; empty for a result that is ok().
    const QString& error() const { return m_error; }

private:
    std::optional<T> m_value;
    QString m_error;
};

template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_failed(true), m_error(std::move(failure.reason)) {}

    bool ok() const { return !m_failed; }
    const QString& error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};
