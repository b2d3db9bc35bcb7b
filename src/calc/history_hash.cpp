#include "calc/history_hash.h"

#include "text/cp1250.h"

#include <array>

namespace {

constexpr uint32_t kPolynomial = 0x04C11DB7;

constexpr std::array<uint32_t, 256> make_table()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 0x80000000u) ? (value << 1) ^ kPolynomial : value << 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = make_table();

constexpr uint32_t step(uint32_t reg, uint8_t byte)
{
    return kTable[reg >> 24] ^ (reg << 8) ^ byte;
}

} // namespace

int32_t history_hash(const QString &text)
{
    if (text.isEmpty())
        return -1;
    uint32_t reg = 0xFFFFFFFFu;
    for (const char c : to_cp1250(text)) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte > 32)
            reg = step(reg, byte);
    }
    for (int round = 0; round < 4; ++round)
        reg = step(reg, 0);
    return static_cast<int32_t>(reg);
}
