#include "masterdata/partners.h"

#include "data/db_api.h"
#include "data/messages.h"
#include "data/record_writer.h"
#include "masterdata/editor_save.h"

#include <QStringList>
#include <algorithm>

namespace {

const QString partner_table = QStringLiteral("PAR");
const QString number_column = QStringLiteral("PARTNER_NO");
const int partner_series = 1024;
const int help_partner_editor = 2011;
const int help_delete_question = 2013;

// Written after RECID, in this order.
const QStringList partner_columns = {
    QStringLiteral("PARTNER_NO"),      QStringLiteral("PARTNER_NAME"),
    QStringLiteral("ICO"),             QStringLiteral("DIC"),
    QStringLiteral("IS_VAT"),          QStringLiteral("ID_PARTNER_TYPE"),
    QStringLiteral("ID_PARTNER_GROUP"), QStringLiteral("PARTNER_MEMO")};

enum class TypeRole { Any, Customer, Supplier, CustomerAndSupplier };

bool row_has_role(const TMemTable &types, int row, TypeRole role)
{
    auto flag = [&](const char *column) {
        const TField *field = types.find_field(QLatin1String(column));
        return field && types.cell_text(row, field->index()).trimmed() == QLatin1String("T");
    };
    switch (role) {
    case TypeRole::Any:
        return true;
    case TypeRole::Customer:
        return flag("IS_CUSTOMER");
    case TypeRole::Supplier:
        return flag("IS_SUPPLIER");
    case TypeRole::CustomerAndSupplier:
        return flag("IS_CUSTOMER") && flag("IS_SUPPLIER");
    }
    return false;
}

int recid_of_row(const TMemTable &set, int row)
{
    const TField *recid = set.find_field(QStringLiteral("RECID"));
    return recid ? set.cell_value(row, recid->index()).toInt() : 0;
}

int first_type_with(const TMemTable &types, TypeRole role)
{
    for (int row = 0; row < types.record_count(); ++row)
        if (row_has_role(types, row, role))
            return recid_of_row(types, row);
    return 0;
}

} // namespace

int next_partner_number(TdbAPI &api)
{
    const QString series_table = QStringLiteral("GENER_NO");
    const int first = api.lookup_int(partner_series, series_table, QStringLiteral("GEN_ID"));
    // A step of 0 would offer the highest number, which is already taken.
    const int step =
        std::max(1, api.lookup_int(partner_series, series_table, QStringLiteral("INCREMENT_ID")));
    return api.next_number(number_column, partner_table, first, step);
}

bool partner_number_in_use(TdbAPI &api, int recid, const QString &number)
{
    return api.value_in_use(recid, number.trimmed(), partner_table, number_column);
}

int default_partner_type(const TMemTable &types, int doc_type)
{
    switch (doc_type) {
    case 0: {
        const int both = first_type_with(types, TypeRole::CustomerAndSupplier);
        if (both != 0 || types.record_count() == 0)
            return both;
        return recid_of_row(types, types.record_count() - 1);
    }
    case 1:
        return first_type_with(types, TypeRole::Customer);
    case 2:
        return first_type_with(types, TypeRole::Supplier);
    default:
        return first_type_with(types, TypeRole::Any);
    }
}

bool partner_type_missing(int doc_type, int type)
{
    return (doc_type == 1 || doc_type == 2) && type == 0;
}

void warn_missing_partner_type()
{
    show_message(
        QStringLiteral("POZOR"),
        QStringLiteral("Pro tento doklad dosud není určen žádný vhodný typ partnera. V následujícím "
                       "formuláři si jej zadejte. Klikněte na ikonku vpravo vedle kolonky \"typ "
                       "partnera\".\r\nPokud vkládáte vydanou fakturu, zaškrtněte v něm, že jde o "
                       "odběratele.Pokud vkládáte došlou fakturu, zaškrtněte, že je dodavatel."),
        mbIconWarning, false, help_partner_editor);
}

int first_partner_group(const TMemTable &groups)
{
    return groups.record_count() > 0 ? recid_of_row(groups, 0) : 0;
}

int save_partner(TdbAPI &api, const TMemTable &set, int recid)
{
    const QString number = set.field_by_name(number_column).as_string();
    const auto unique_number = [&] {
        if (!partner_number_in_use(api, recid, number))
            return true;
        api.report_db_error(false, QStringLiteral("Číslo partnera je již použito, zadejte jiné."));
        return false;
    };
    const auto columns = [&](RecordWriter &record) {
        for (const QString &column : partner_columns)
            record.add(set.field_by_name(column));
    };
    return save_editor_row(api, partner_table, recid, columns, unique_number);
}

bool delete_partner_row(TdbAPI &api, int recid)
{
    if (recid == 0)
        return false;
    RecordWriter record(api, partner_table, recid);
    return record.put(pmDelete);
}

int delete_partner(TdbAPI &api, TMemTable *set)
{
    const int recid = api.current_recid(set);
    if (recid == 0)
        return 0;
    if (show_message(QStringLiteral("Pozor!"),
                     QStringLiteral("Opravdu  vymazat vybraného partnera a všechny jeho záznamy?"),
                     mbYesNo | mbDefaultNo | mbIconWarning, false, help_delete_question) != mrYes)
        return 0;
    if (!delete_partner_row(api, recid))
        return 0;
    set->remove();
    return recid;
}

bool delete_partner_picture(TdbAPI &api, int partner)
{
    if (partner == 0 || api.count_rows(partner_table, QStringLiteral("RECID=%1").arg(partner)) != 1)
        return false;
    if (show_message(QStringLiteral("Pozor!"),
                     QStringLiteral("Opravdu  vymazat fotografii partnera?"),
                     mbYesNo | mbDefaultNo | mbIconWarning, false, 0) != mrYes)
        return false;
    RecordWriter record(api, QStringLiteral("BLOBDATA"), partner);
    return record.put(pmDelete);
}
