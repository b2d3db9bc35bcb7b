#pragma once

#include "platform/dm/dm.h"

#include <array>
#include <string>
#include <string_view>

namespace dm {

// What the library puts into a record lives in storage of its own, kept per record and
// reused row after row, so that a select of many rows allocates nothing per value.  A
// record can hold the program's pointers and the library's side by side; dm_free_record
// clears exactly the slots that point into this storage.
class RecordStorage {
public:
    void place_null(DmRecord *record, int slot, DmFieldType type, std::string_view name,
                    int32_t size);
    void place_int(DmRecord *record, int slot, std::string_view name, int32_t value);
    void place_double(DmRecord *record, int slot, DmFieldType type, std::string_view name,
                      double value);
    void place_text(DmRecord *record, int slot, std::string_view name, int32_t size,
                    std::string_view text);

private:
    friend void free_owned_slots(DmRecord *record);
    union Number {
        int32_t integer;
        double real;
    };
    char *name_of(int slot, std::string_view name);

    size_t m_reach = 0; // slots below this may point into the storage

    std::array<std::string, DM_MAX_FIELDS> m_names;
    std::array<std::string, DM_MAX_FIELDS> m_texts;
    std::array<Number, DM_MAX_FIELDS> m_numbers{};
};

// The storage of a record (made on first use).
RecordStorage &storage_of(DmRecord *record);

// Clears the slots that point into the library's storage; the program's own pointers stay
// untouched.
void free_owned_slots(DmRecord *record);

// Forgets the record's storage; its slots must have been cleared.
void release_storage(DmRecord *record);

} // namespace dm
