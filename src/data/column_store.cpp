#include "data/column_store.h"

#include <cstring>

void ColumnStore::reserve(int rows)
{
    m_nulls.reserve(rows);
    switch (m_type) {
    case FieldType::Integer:
        m_ints.reserve(rows);
        break;
    case FieldType::Float:
    case FieldType::DateTime:
        m_doubles.reserve(rows);
        break;
    case FieldType::Text:
        m_offsets.reserve(rows);
        break;
    }
}

void ColumnStore::squeeze()
{
    m_nulls.shrink_to_fit();
    m_ints.shrink_to_fit();
    m_doubles.shrink_to_fit();
    m_offsets.shrink_to_fit();
    m_arena.shrink_to_fit();
}

void ColumnStore::append_null()
{
    m_nulls.push_back(true);
    switch (m_type) {
    case FieldType::Integer:
        m_ints.push_back(0);
        break;
    case FieldType::Float:
    case FieldType::DateTime:
        m_doubles.push_back(0.0);
        break;
    case FieldType::Text:
        m_offsets.push_back(no_text);
        break;
    }
}

void ColumnStore::erase(int row)
{
    m_nulls.erase(m_nulls.begin() + row);
    switch (m_type) {
    case FieldType::Integer:
        m_ints.erase(m_ints.begin() + row);
        break;
    case FieldType::Float:
    case FieldType::DateTime:
        m_doubles.erase(m_doubles.begin() + row);
        break;
    case FieldType::Text:
        m_offsets.erase(m_offsets.begin() + row);
        break;
    }
}

void ColumnStore::set_null(int row)
{
    m_nulls[row] = true;
    switch (m_type) {
    case FieldType::Integer:
        m_ints[row] = 0;
        break;
    case FieldType::Float:
    case FieldType::DateTime:
        m_doubles[row] = 0.0;
        break;
    case FieldType::Text:
        m_offsets[row] = no_text;
        break;
    }
}

std::string_view ColumnStore::text_utf8(int row) const
{
    const uint32_t offset = m_offsets[row];
    if (offset == no_text)
        return {};
    return std::string_view(m_arena.data() + offset);
}

QString ColumnStore::text(int row) const
{
    const std::string_view bytes = text_utf8(row);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void ColumnStore::set_integer(int row, int32_t value)
{
    m_ints[row] = value;
    m_nulls[row] = false;
}

void ColumnStore::set_number(int row, double value)
{
    m_doubles[row] = value;
    m_nulls[row] = false;
}

void ColumnStore::set_text(int row, std::string_view utf8)
{
    // An edit appends the new text; the old bytes stay unused in the arena, which is
    // cheap because edits are single rows while loads are whole selects.
    const auto offset = static_cast<uint32_t>(m_arena.size());
    m_arena.insert(m_arena.end(), utf8.begin(), utf8.end());
    m_arena.push_back('\0');
    m_offsets[row] = offset;
    m_nulls[row] = false;
}

size_t ColumnStore::memory_bytes() const
{
    return m_nulls.capacity() / 8 + m_ints.capacity() * sizeof(int32_t) +
           m_doubles.capacity() * sizeof(double) + m_offsets.capacity() * sizeof(uint32_t) +
           m_arena.capacity();
}
