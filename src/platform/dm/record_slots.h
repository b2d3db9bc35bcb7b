#pragma once

#include "platform/dm/dm.h"

#include <string_view>

namespace dm {

// A record can hold the program's pointers and the library's side by side; the library
// remembers which ones it allocated so that dm_free_record frees exactly those.

// Fills a slot with a copy of the name (cut to DM_MAX_NAME bytes on a character boundary)
// and the given malloc'ed value, which the record then owns.  False when memory runs out;
// the value is freed then.
bool place_slot(DmRecord *record, int slot, DmFieldType type, std::string_view name, int32_t size,
                void *value);

// Frees what the library placed into the record and clears the slots that still point
// at it; the program's own pointers stay untouched.
void free_owned_slots(DmRecord *record);

} // namespace dm
