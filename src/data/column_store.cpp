#include "data/column_store.h"

#include <QtGlobal>
#include <algorithm>
#include <cstring>

namespace {

size_t value_bytes(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Text:
        return sizeof(uint32_t);
    case FieldType::Float:
    case FieldType::DateTime:
        break;
    }
    return sizeof(double);
}

// Text blocks start small (a lookup of one row stays small) and grow to this size; a text
// longer than a block gets a block of its own.
constexpr size_t largest_block = 64 * 1024;
constexpr size_t first_block = 512;

// A text reference: with the top bit set, the text itself (length in bits 24-25, bytes
// below); otherwise a block (bits 16-30) and the offset of the text's length in it.
constexpr uint32_t inline_flag = 0x80000000u;
constexpr size_t inline_bytes = 3;
constexpr int offset_bits = 16;
constexpr size_t most_blocks = size_t(1) << (31 - offset_bits);

size_t prefix_bytes(size_t length)
{
    size_t bytes = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++bytes;
    }
    return bytes;
}

char *write_prefix(char *target, size_t length)
{
    while (length >= 0x80) {
        *target++ = static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    *target++ = static_cast<char>(length);
    return target;
}

uint64_t load_bytes(const char *source, size_t count)
{
    uint64_t bytes = 0;
    std::memcpy(&bytes, source, count);
    return bytes;
}

// Enough of a text to tell most different texts apart, in constant time: its length and
// up to eight bytes from each end.
size_t text_hash(std::string_view utf8, int bits)
{
    const size_t ends = std::min<size_t>(8, utf8.size());
    const uint64_t head = load_bytes(utf8.data(), ends);
    const uint64_t tail = load_bytes(utf8.data() + utf8.size() - ends, ends);
    const uint64_t mixed = (head ^ (tail * 0x9E3779B97F4A7C15ull) ^ utf8.size()) *
                           0xBF58476D1CE4E5B9ull;
    return static_cast<size_t>(mixed >> (64 - bits));
}

std::string_view read_prefixed(const char *source)
{
    size_t length = 0;
    int shift = 0;
    for (;;) {
        const auto byte = static_cast<unsigned char>(*source++);
        length |= size_t(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            break;
        shift += 7;
    }
    return {source, length};
}

} // namespace

ColumnStore::ColumnStore(FieldType type) : m_type(type) {}

void ColumnStore::add_chunk()
{
    auto chunk = std::make_unique<Chunk>();
    chunk->values.reset(new std::byte[chunk_rows * value_bytes(m_type)]);
    chunk->ints = reinterpret_cast<int32_t *>(chunk->values.get());
    m_chunks.push_back(std::move(chunk));
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
        chunk_of(row).texts[row & chunk_mask] = 0;
        break;
    }
}

uint32_t ColumnStore::store_text(std::string_view utf8)
{
    if (utf8.size() <= inline_bytes) {
        uint32_t reference = inline_flag | uint32_t(utf8.size()) << 24;
        std::memcpy(&reference, utf8.data(), utf8.size());
        return reference;
    }
    if (!m_recent) {
        // An inline reference never stands for a long text: it marks an empty place.
        m_recent.reset(new uint32_t[size_t(1) << recent_bits]);
        std::fill_n(m_recent.get(), size_t(1) << recent_bits, inline_flag);
    }
    uint32_t &recent = m_recent[text_hash(utf8, recent_bits)];
    if (recent != inline_flag && stored_text(recent) == utf8)
        return recent;
    recent = append_to_blocks(utf8);
    return recent;
}

uint32_t ColumnStore::append_to_blocks(std::string_view utf8)
{
    const size_t needed = prefix_bytes(utf8.size()) + utf8.size();
    if (m_blocks.empty() || m_block_used + needed > m_block_sizes.back()) {
        // Past 2 GB of text in one column the references run out; no record set of this
        // program comes near that, so it is a programming error, not a user's one.
        if (m_blocks.size() >= most_blocks)
            qFatal("ColumnStore: more text than one column can hold");
        const size_t grown = m_block_sizes.empty() ? first_block
                                                   : std::min(largest_block, m_block_sizes.back() * 2);
        const size_t size = std::max(grown, needed);
        m_blocks.push_back(std::unique_ptr<char[]>(new char[size]));
        m_block_sizes.push_back(size);
        m_block_used = 0;
    }
    char *target = m_blocks.back().get() + m_block_used;
    std::memcpy(write_prefix(target, utf8.size()), utf8.data(), utf8.size());
    const auto reference = uint32_t((m_blocks.size() - 1) << offset_bits | m_block_used);
    m_block_used += needed;
    return reference;
}

std::string_view ColumnStore::stored_text(uint32_t reference) const
{
    return read_prefixed(m_blocks[reference >> offset_bits].get() +
                         (reference & ((1u << offset_bits) - 1)));
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
    // The cell left free holds no value, as a fresh one (appends rely on that).
    mark(m_size - 1, false);
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
    const uint32_t &reference = chunk_of(row).texts[row & chunk_mask];
    if (reference & inline_flag)
        return {reinterpret_cast<const char *>(&reference), (reference >> 24) & 3};
    return stored_text(reference);
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
    if (m_recent)
        bytes += sizeof(uint32_t) << recent_bits;
    return bytes;
}
