#pragma once
// Compact typed storage of one record-set column.  Values sit in fixed-size chunks with a
// null bitmap each; a text cell is a 32-bit reference that holds a text of up to three
// bytes itself (flags, currency codes) and points at a longer one, kept as UTF-8 behind its
// length in the column's text blocks, once for texts that repeat.  Hundreds of thousands
// of rows load without an allocation per cell and without ever copying what was loaded.

#include <QString>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

enum class FieldType : uint8_t { Integer, Float, Text, DateTime };

class ColumnStore {
public:
    explicit ColumnStore(FieldType type);

    FieldType type() const { return m_type; }
    int size() const { return m_size; }

    void append_null();
    void append_integer(int32_t value)
    {
        const int row = append_cell();
        chunk_of(row).ints[row & chunk_mask] = value;
    }
    void append_number(double value)
    {
        const int row = append_cell();
        chunk_of(row).numbers[row & chunk_mask] = value;
    }
    void append_text(std::string_view utf8)
    {
        const int row = append_cell();
        chunk_of(row).texts[row & chunk_mask] = store_text(utf8);
    }
    void erase(int row);

    bool is_null(int row) const
    {
        const Chunk &chunk = *m_chunks[row >> chunk_bits];
        const int at = row & chunk_mask;
        return (chunk.nulls[at >> 6] >> (at & 63)) & 1;
    }
    int32_t integer(int row) const { return chunk_of(row).ints[row & chunk_mask]; }
    double number(int row) const { return chunk_of(row).numbers[row & chunk_mask]; }
    // Valid until the cell is written or the row erased.
    std::string_view text_utf8(int row) const;
    QString text(int row) const;

    void set_null(int row);
    void set_integer(int row, int32_t value);
    void set_number(int row, double value);
    void set_text(int row, std::string_view utf8);

    // Bytes held, unused capacity included.
    size_t memory_bytes() const;

private:
    // Texts of three bytes or less sit in the reference itself, in its low bytes.
    static_assert(std::endian::native == std::endian::little);

    static constexpr int chunk_bits = 10;
    static constexpr int chunk_rows = 1 << chunk_bits;
    static constexpr int chunk_mask = chunk_rows - 1;

    struct Chunk {
        uint64_t nulls[chunk_rows / 64];
        union {
            int32_t *ints;
            double *numbers;
            uint32_t *texts;
        };
        std::unique_ptr<std::byte[]> values;
    };

    Chunk &chunk_of(int row) const { return *m_chunks[row >> chunk_bits]; }
    // A new cell, not null: a chunk's null bits start cleared, and erase() clears the bit
    // of the cell it frees.
    int append_cell()
    {
        const int row = m_size++;
        if ((row & chunk_mask) == 0)
            add_chunk();
        return row;
    }
    void add_chunk();
    void mark(int row, bool null);
    uint32_t store_text(std::string_view utf8);
    uint32_t append_to_blocks(std::string_view utf8);
    std::string_view stored_text(uint32_t reference) const;

    FieldType m_type;
    int m_size = 0;
    std::vector<std::unique_ptr<Chunk>> m_chunks;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<size_t> m_block_sizes;
    size_t m_block_used = 0;
    // References of recently stored texts by a hash of their bytes (made on the first long
    // text): a category, an account or a partner's name repeated row after row is kept once.
    static constexpr int recent_bits = 10;
    std::unique_ptr<uint32_t[]> m_recent;
};
