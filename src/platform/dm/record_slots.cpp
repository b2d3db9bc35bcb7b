#include "platform/dm/record_slots.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace dm {
namespace {

// A record's storage outlives its select (dm_fetch_record hands out a row after the
// select is gone) and is kept until the record is freed; records are few (mostly on the
// program's stack), so the map stays small.
std::unordered_map<const DmRecord *, std::unique_ptr<RecordStorage>> &storages()
{
    static std::unordered_map<const DmRecord *, std::unique_ptr<RecordStorage>> map;
    return map;
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

bool points_into(const void *pointer, const std::string &text)
{
    return pointer && pointer == text.data();
}

} // namespace

RecordStorage &storage_of(DmRecord *record)
{
    std::unique_ptr<RecordStorage> &storage = storages()[record];
    if (!storage)
        storage = std::make_unique<RecordStorage>();
    return *storage;
}

char *RecordStorage::name_of(int slot, std::string_view name)
{
    m_reach = std::max(m_reach, static_cast<size_t>(slot) + 1);
    std::string &stored = m_names[static_cast<size_t>(slot)];
    const std::string_view cut = name.substr(0, name_length(name));
    if (stored != cut)
        stored.assign(cut);
    return stored.data();
}

void RecordStorage::place_null(DmRecord *record, int slot, DmFieldType type,
                               std::string_view name, int32_t size)
{
    DmField &field = record->fields[slot];
    field.type = static_cast<uint8_t>(type);
    field.name = name_of(slot, name);
    field.size = size;
    field.value = nullptr;
}

void RecordStorage::place_int(DmRecord *record, int slot, std::string_view name, int32_t value)
{
    Number &number = m_numbers[static_cast<size_t>(slot)];
    number.integer = value;
    DmField &field = record->fields[slot];
    field.type = dmInt;
    field.name = name_of(slot, name);
    field.size = sizeof(int32_t);
    field.value = &number.integer;
}

void RecordStorage::place_double(DmRecord *record, int slot, DmFieldType type,
                                 std::string_view name, double value)
{
    Number &number = m_numbers[static_cast<size_t>(slot)];
    number.real = value;
    DmField &field = record->fields[slot];
    field.type = static_cast<uint8_t>(type);
    field.name = name_of(slot, name);
    field.size = sizeof(double);
    field.value = &number.real;
}

void RecordStorage::place_text(DmRecord *record, int slot, std::string_view name, int32_t size,
                               std::string_view text)
{
    std::string &stored = m_texts[static_cast<size_t>(slot)];
    stored.assign(text);
    DmField &field = record->fields[slot];
    field.type = dmText;
    field.name = name_of(slot, name);
    field.size = std::max<int32_t>(size, static_cast<int32_t>(text.size()) + 1);
    field.value = stored.data();
}

void free_owned_slots(DmRecord *record)
{
    const auto found = storages().find(record);
    if (found == storages().end())
        return;
    RecordStorage &storage = *found->second;
    for (size_t slot = 0; slot < storage.m_reach; ++slot) {
        DmField &field = record->fields[slot];
        bool cleared = false;
        if (points_into(field.name, storage.m_names[slot])) {
            field.name = nullptr;
            cleared = true;
        }
        if (field.value && (points_into(field.value, storage.m_texts[slot]) ||
                            field.value == &storage.m_numbers[slot])) {
            field.value = nullptr;
            cleared = true;
        }
        if (cleared) {
            field.type = dmNone;
            field.size = 0;
        }
    }
}

void release_storage(DmRecord *record)
{
    storages().erase(record);
}

} // namespace dm
