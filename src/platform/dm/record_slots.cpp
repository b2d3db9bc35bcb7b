#include "platform/dm/record_slots.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace dm {
namespace {

struct OwnedSlot {
    char *name = nullptr;
    void *value = nullptr;
};

using OwnedSlots = std::array<OwnedSlot, DM_MAX_FIELDS>;

std::unordered_map<const DmRecord *, OwnedSlots> &owned_records()
{
    static std::unordered_map<const DmRecord *, OwnedSlots> records;
    return records;
}

size_t name_length(std::string_view name)
{
    if (name.size() <= DM_MAX_NAME)
        return name.size();
    size_t length = DM_MAX_NAME;
    while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
        --length;
    return length;
}

} // namespace

bool place_slot(DmRecord *record, int slot, DmFieldType type, std::string_view name, int32_t size,
                void *value)
{
    const size_t length = name_length(name);
    auto *copy = static_cast<char *>(std::malloc(length + 1));
    if (!copy) {
        std::free(value);
        return false;
    }
    std::memcpy(copy, name.data(), length);
    copy[length] = '\0';

    OwnedSlot &owned = owned_records()[record][static_cast<size_t>(slot)];
    std::free(owned.name);
    std::free(owned.value);
    owned = {copy, value};

    DmField &field = record->fields[slot];
    field.type = static_cast<uint8_t>(type);
    field.name = copy;
    field.size = size;
    field.value = value;
    return true;
}

void free_owned_slots(DmRecord *record)
{
    auto found = owned_records().find(record);
    if (found == owned_records().end())
        return;
    for (size_t slot = 0; slot < found->second.size(); ++slot) {
        const OwnedSlot &owned = found->second[slot];
        if (!owned.name && !owned.value)
            continue;
        DmField &field = record->fields[slot];
        bool cleared = false;
        if (field.name == owned.name) {
            field.name = nullptr;
            cleared = true;
        }
        if (owned.value && field.value == owned.value) {
            field.value = nullptr;
            cleared = true;
        }
        if (cleared) {
            field.type = dmNone;
            field.size = 0;
        }
        std::free(owned.name);
        std::free(owned.value);
    }
    owned_records().erase(found);
}

} // namespace dm
