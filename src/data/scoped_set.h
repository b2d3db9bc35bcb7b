#pragma once
// A record set that the function which selected it also frees, on every way out.

class TdbAPI;
class TMemTable;

class ScopedSet {
public:
    ScopedSet(TdbAPI &api, TMemTable *set) : m_api(&api), m_set(set) {}
    ~ScopedSet();
    ScopedSet(ScopedSet &&other) noexcept : m_api(other.m_api), m_set(other.m_set)
    {
        other.m_set = nullptr;
    }
    ScopedSet &operator=(ScopedSet &&other) noexcept;
    ScopedSet(const ScopedSet &) = delete;
    ScopedSet &operator=(const ScopedSet &) = delete;

    // Null when the select was refused.
    TMemTable *get() const { return m_set; }
    TMemTable *operator->() const { return m_set; }
    explicit operator bool() const { return m_set != nullptr; }

private:
    TdbAPI *m_api;
    TMemTable *m_set;
};
