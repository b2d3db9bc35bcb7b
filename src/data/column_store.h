#pragma once
// Compact typed storage of one record-set column.  Values sit in fixed-size chunks with a
// null bitmap each, texts as zero-terminated UTF-8 in arena blocks: hundreds of thousands
// of rows load without an allocation per cell and without ever copying what was loaded.

#include <QString>
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
    void append_integer(int32_t value);
    void append_number(double value);
    void append_text(std::string_view utf8);
    void erase(int row);

    bool is_null(int row) const
    {
        const Chunk &chunk = *m_chunks[row >> chunk_bits];
        const int at = row & chunk_mask;
        return (chunk.nulls[at >> 6] >> (at & 63)) & 1;
    }
    int32_t integer(int row) const { return chunk_of(row).ints[row & chunk_mask]; }
    double number(int row) const { return chunk_of(row).numbers[row & chunk_mask]; }
    std::string_view text_utf8(int row) const;
    QString text(int row) const;

    void set_null(int row);
    void set_integer(int row, int32_t value);
    void set_number(int row, double value);
    void set_text(int row, std::string_view utf8);

    // Bytes held, unused capacity included.
    size_t memory_bytes() const;

private:
    static constexpr int chunk_bits = 10;
    static constexpr int chunk_rows = 1 << chunk_bits;
    static constexpr int chunk_mask = chunk_rows - 1;

    struct Chunk {
        uint64_t nulls[chunk_rows / 64];
        union {
            int32_t *ints;
            double *numbers;
            const char **texts;
        };
        std::unique_ptr<std::byte[]> values;
    };

    Chunk &chunk_of(int row) const { return *m_chunks[row >> chunk_bits]; }
    int append_cell();
    void mark(int row, bool null);
    const char *store_text(std::string_view utf8);

    FieldType m_type;
    int m_size = 0;
    std::vector<std::unique_ptr<Chunk>> m_chunks;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<size_t> m_block_sizes;
    size_t m_block_used = 0;
};
