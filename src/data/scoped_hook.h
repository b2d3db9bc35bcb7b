#pragma once
// A process-wide hook (the message responder, the shell launcher, a system dialog, the
// database chooser …) installed for the lifetime of a scope: the value found before comes
// back on every way out, so a test that fails half-way cannot leave its hook to the next.
//
//     const ScopedHook launcher(set_shell_launcher, recording_launcher);

#include <utility>

template <typename Value> class ScopedHook {
public:
    using Setter = Value (*)(Value);

    ScopedHook(Setter setter, Value value) : m_setter(setter), m_previous(setter(std::move(value)))
    {
    }
    ~ScopedHook() { m_setter(std::move(m_previous)); }
    ScopedHook(const ScopedHook &) = delete;
    ScopedHook &operator=(const ScopedHook &) = delete;

private:
    Setter m_setter;
    Value m_previous;
};

// The same for a hook that is a variable rather than a setter.
template <typename Value> class ScopedValue {
public:
    ScopedValue(Value &variable, Value value)
        : m_variable(variable), m_previous(std::exchange(variable, std::move(value)))
    {
    }
    ~ScopedValue() { m_variable = std::move(m_previous); }
    ScopedValue(const ScopedValue &) = delete;
    ScopedValue &operator=(const ScopedValue &) = delete;

private:
    Value &m_variable;
    Value m_previous;
};
