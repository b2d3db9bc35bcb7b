#pragma once
// Compact typed storage of one record-set column: a value vector and a null bitmap, text
// as zero-terminated UTF-8 in one arena.  Hundreds of thousands of rows load into it
// without an allocation per cell.

#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

enum class FieldType : uint8_t { Integer, Float, Text, DateTime };

class ColumnStore {
public:
    explicit ColumnStore(FieldType type) : m_type(type) {}

    FieldType type() const { return m_type; }
    int size() const { return static_cast<int>(m_nulls.size()); }
    void reserve(int rows);
    // Gives back what growth reserved; called when a load is complete.
    void squeeze();

    // Appends a null cell; set_* then fills it.
    void append_null();
    void erase(int row);

    bool is_null(int row) const { return m_nulls[row]; }
    void set_null(int row);

    int32_t integer(int row) const { return m_ints[row]; }
    double number(int row) const { return m_doubles[row]; }
    std::string_view text_utf8(int row) const;
    QString text(int row) const;

    void set_integer(int row, int32_t value);
    void set_number(int row, double value);
    void set_text(int row, std::string_view utf8);

    // Bytes held, capacity included.
    size_t memory_bytes() const;

private:
    static constexpr uint32_t no_text = UINT32_MAX;

    FieldType m_type;
    std::vector<bool> m_nulls;
    std::vector<int32_t> m_ints;
    std::vector<double> m_doubles;
    std::vector<uint32_t> m_offsets;
    std::vector<char> m_arena;
};
