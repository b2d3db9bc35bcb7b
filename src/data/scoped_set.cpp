#include "data/scoped_set.h"

#include "data/db_api.h"

ScopedSet::~ScopedSet()
{
    m_api->free_set(m_set);
}

ScopedSet &ScopedSet::operator=(ScopedSet &&other) noexcept
{
    if (this != &other) {
        m_api->free_set(m_set);
        m_api = other.m_api;
        m_set = other.m_set;
        other.m_set = nullptr;
    }
    return *this;
}
