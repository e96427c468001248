#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// A failure on its way to the screen: `code` is Firebird's SQL code ("-803")
// when the database refused something, empty for any other failure.
struct Failure
{
    QString code;
    QString text;
    // The connection to the database broke (or was given up) on the way:
    // what was being written may or may not be stored, and the screen keeps
    // what it shows. Such a failure has no code: the text says it all.
    bool lost = false;

    // The text handed to trata_erro_banco: the SQL code stands after the first
    // "=" up to the next ":" ("Erro do banco de dados, código=-803: ...").
    // Without a code the text stands alone, so it has no code part.
    QString description() const;
    bool isDatabaseRefusal() const { return !code.isEmpty(); }
};

// Either a value or the failure that prevented it (C++20 has no std::expected).
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Failure failure) : m_state(std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(m_state); }
    const T& value() const { return std::get<0>(m_state); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

    const Failure& failure() const { return std::get<1>(m_state); }

private:
    std::variant<T, Failure> m_state;
};

template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure.has_value(); }
    explicit operator bool() const { return ok(); }
    const Failure& failure() const { return *m_failure; }

private:
    std::optional<Failure> m_failure;
};
