#pragma once
// The code pages in which RTF writes its 8-bit characters (\ansicpgN, \fcharsetN, \'xx).
// Windows-1250 and 1252 come from our own tables; any other single-byte code page is taken
// from the system's converters when they know it, else read as 1252.

#include <array>
#include <map>

// The code page an \fcharsetN font is written in, or 0 when the charset names none (the
// document's default, symbol fonts).
int code_page_of_charset(int charset);

class RtfCodePages {
public:
    char16_t decode(int code_page, unsigned char byte);

private:
    using Table = std::array<char16_t, 256>;
    const Table &table(int code_page);

    std::map<int, Table> m_tables;
    int m_last_code_page = -1;
    const Table *m_last_table = nullptr;
};
