#include "data/column_store.h"

#include <algorithm>
#include <cstring>

namespace {

size_t value_bytes(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
        return sizeof(int32_t);
    case FieldType::Text:
        return sizeof(const char *);
    case FieldType::Float:
    case FieldType::DateTime:
        break;
    }
    return sizeof(double);
}

// Text blocks start small (a lookup of one row stays small) and grow to this size.
constexpr size_t largest_block = 64 * 1024;
constexpr size_t first_block = 512;

} // namespace

ColumnStore::ColumnStore(FieldType type) : m_type(type) {}

int ColumnStore::append_cell()
{
    const int row = m_size++;
    if ((row & chunk_mask) == 0) {
        auto chunk = std::make_unique<Chunk>();
        chunk->values.reset(new std::byte[chunk_rows * value_bytes(m_type)]);
        chunk->ints = reinterpret_cast<int32_t *>(chunk->values.get());
        m_chunks.push_back(std::move(chunk));
    }
    return row;
}

void ColumnStore::mark(int row, bool null)
{
    Chunk &chunk = chunk_of(row);
    const int at = row & chunk_mask;
    const uint64_t bit = uint64_t(1) << (at & 63);
    if (null)
        chunk.nulls[at >> 6] |= bit;
    else
        chunk.nulls[at >> 6] &= ~bit;
}

void ColumnStore::append_null()
{
    const int row = append_cell();
    mark(row, true);
    switch (m_type) {
    case FieldType::Integer:
        chunk_of(row).ints[row & chunk_mask] = 0;
        break;
    case FieldType::Float:
    case FieldType::DateTime:
        chunk_of(row).numbers[row & chunk_mask] = 0.0;
        break;
    case FieldType::Text:
        chunk_of(row).texts[row & chunk_mask] = nullptr;
        break;
    }
}

void ColumnStore::append_integer(int32_t value)
{
    const int row = append_cell();
    chunk_of(row).ints[row & chunk_mask] = value;
    mark(row, false);
}

void ColumnStore::append_number(double value)
{
    const int row = append_cell();
    chunk_of(row).numbers[row & chunk_mask] = value;
    mark(row, false);
}

void ColumnStore::append_text(std::string_view utf8)
{
    const int row = append_cell();
    chunk_of(row).texts[row & chunk_mask] = store_text(utf8);
    mark(row, false);
}

const char *ColumnStore::store_text(std::string_view utf8)
{
    const size_t needed = utf8.size() + 1;
    if (m_blocks.empty() || m_block_used + needed > m_block_sizes.back()) {
        const size_t grown = m_block_sizes.empty() ? first_block
                                                   : std::min(largest_block, m_block_sizes.back() * 2);
        const size_t size = std::max(grown, needed);
        m_blocks.push_back(std::unique_ptr<char[]>(new char[size]));
        m_block_sizes.push_back(size);
        m_block_used = 0;
    }
    char *target = m_blocks.back().get() + m_block_used;
    std::memcpy(target, utf8.data(), utf8.size());
    target[utf8.size()] = '\0';
    m_block_used += needed;
    return target;
}

void ColumnStore::erase(int row)
{
    // Rare (a deleted row): every later cell moves up by one.
    for (int next = row + 1; next < m_size; ++next, ++row) {
        Chunk &from = chunk_of(next);
        Chunk &to = chunk_of(row);
        const int a = next & chunk_mask;
        const int b = row & chunk_mask;
        std::memcpy(to.values.get() + b * value_bytes(m_type),
                    from.values.get() + a * value_bytes(m_type), value_bytes(m_type));
        mark(row, is_null(next));
    }
    --m_size;
    if ((m_size & chunk_mask) == 0)
        m_chunks.pop_back();
}

void ColumnStore::set_null(int row)
{
    mark(row, true);
}

std::string_view ColumnStore::text_utf8(int row) const
{
    if (is_null(row))
        return {};
    const char *text = chunk_of(row).texts[row & chunk_mask];
    return text ? std::string_view(text) : std::string_view();
}

QString ColumnStore::text(int row) const
{
    const std::string_view bytes = text_utf8(row);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void ColumnStore::set_integer(int row, int32_t value)
{
    chunk_of(row).ints[row & chunk_mask] = value;
    mark(row, false);
}

void ColumnStore::set_number(int row, double value)
{
    chunk_of(row).numbers[row & chunk_mask] = value;
    mark(row, false);
}

void ColumnStore::set_text(int row, std::string_view utf8)
{
    // An edit stores the new text beside the old one, which stays unused: edits are single
    // rows while loads are whole selects.
    chunk_of(row).texts[row & chunk_mask] = store_text(utf8);
    mark(row, false);
}

size_t ColumnStore::memory_bytes() const
{
    size_t bytes = m_chunks.capacity() * sizeof(void *) + m_block_sizes.capacity() * sizeof(size_t) +
                   m_blocks.capacity() * sizeof(void *);
    bytes += m_chunks.size() * (sizeof(Chunk) + chunk_rows * value_bytes(m_type));
    for (const size_t size : m_block_sizes)
        bytes += size;
    return bytes;
}
