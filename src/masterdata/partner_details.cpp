#include "masterdata/partner_details.h"

#include "data/db_api.h"
#include "data/messages.h"
#include "data/record_writer.h"
#include "masterdata/editor_save.h"

#include <algorithm>

namespace {

const int help_delete_question = 2013;

const PartnerDetailTable address_table = {
    QStringLiteral("PAR_ADDR"),
    {QStringLiteral("IS_INVOICE"), QStringLiteral("ADDRESS_TITLE"), QStringLiteral("ADDRESS"),
     QStringLiteral("ADDRESS2"), QStringLiteral("CITY"), QStringLiteral("POSTAL_CODE"),
     QStringLiteral("REGION"), QStringLiteral("COUNTRY"), QStringLiteral("ADDR_MEMO")},
    {QStringLiteral("ADDRESS_TITLE")},
    QStringLiteral("ADDRESS_TITLE"),
    QStringLiteral("Opravdu  vymazat vybranou adresu partnera?\r\n")};

const PartnerDetailTable contact_table = {
    QStringLiteral("PAR_CONTACT"),
    {QStringLiteral("CONTACT_TYPE"), QStringLiteral("CONTACT_NAME"), QStringLiteral("CONTACT"),
     QStringLiteral("CONTACT_MEMO")},
    {QStringLiteral("CONTACT_TYPE"), QStringLiteral("CONTACT_NAME")},
    QStringLiteral("CONTACT_ITEM"),
    QStringLiteral("Opravdu  vymazat vybraný kontakt na partnera?\r\n")};

const PartnerDetailTable bank_table = {
    QStringLiteral("PAR_BANK"),
    {QStringLiteral("BANK_TITLE"), QStringLiteral("BANK_NAME"), QStringLiteral("ACCOUNT_NUMBER"),
     QStringLiteral("IBAN"), QStringLiteral("ABA"), QStringLiteral("BANK_ADDRESS"),
     QStringLiteral("BANK_MEMO")},
    {QStringLiteral("BANK_TITLE")},
    QStringLiteral("BANK_TITLE"),
    QStringLiteral("Opravdu  vymazat vybrané bankovní spojení na partnera?\r\n")};

} // namespace

const PartnerDetailTable &partner_detail_table(PartnerDetail detail)
{
    switch (detail) {
    case PartnerDetail::Address:
        return address_table;
    case PartnerDetail::Contact:
        return contact_table;
    case PartnerDetail::Bank:
        return bank_table;
    }
    return address_table;
}

QString partner_detail_select(PartnerDetail detail, int partner)
{
    // Contacts come through their view, which names each one for the tree.
    const QString source =
        detail == PartnerDetail::Contact ? QStringLiteral("VIEW_PAR_CONTACTS")
                                         : partner_detail_table(detail).table;
    return QStringLiteral("SELECT * FROM %1 WHERE ID_PARTNER=%2").arg(source).arg(partner);
}

bool partner_detail_complete(PartnerDetail detail, const TMemTable &set)
{
    const QStringList &required = partner_detail_table(detail).required;
    return std::all_of(required.begin(), required.end(), [&set](const QString &column) {
        return !set.field_by_name(column).as_string().trimmed().isEmpty();
    });
}

int save_partner_detail(TdbAPI &api, PartnerDetail detail, const TMemTable &set, int recid,
                        int partner)
{
    const PartnerDetailTable &table = partner_detail_table(detail);
    const auto columns = [&](RecordWriter &record) {
        record.add(QStringLiteral("ID_PARTNER"), partner);
        for (const QString &column : table.columns)
            record.add(set.field_by_name(column));
    };
    return save_editor_row(api, table.table, recid, columns);
}

int delete_partner_detail(TdbAPI &api, PartnerDetail detail, TMemTable *set)
{
    const int recid = api.current_recid(set);
    if (recid == 0)
        return 0;
    const PartnerDetailTable &table = partner_detail_table(detail);
    const QString question = table.delete_question + set->field_by_name(table.title_column).as_string();
    if (show_message(QStringLiteral("Pozor!"), question, mbYesNo | mbDefaultNo | mbIconWarning,
                     false, help_delete_question) != mrYes)
        return 0;
    RecordWriter record(api, table.table, recid);
    if (!record.put(pmDelete))
        return 0;
    set->remove();
    return recid;
}

QString contact_item(const QString &type, const QString &name)
{
    return type + QStringLiteral(" - ") + name;
}

std::optional<QString> contact_preset(const QString &type)
{
    const QString upper = type.toUpper();
    if (upper.startsWith(QLatin1String("WWW")))
        return QStringLiteral("http://");
    if (upper.contains(QLatin1String("E-MAIL")))
        return QStringLiteral("@");
    return std::nullopt;
}
