#include "documents/document.h"

#include "data/clock.h"
#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "data/non_fatal_messages.h"
#include "data/record_writer.h"
#include "data/tdatetime.h"
#include "documents/doc_payments.h"
#include "documents/doc_totals.h"
#include "documents/doc_types.h"

#include <vector>

const QString document_save_failed = QStringLiteral("Doklad se nepodařilo uložit!");

namespace {

const int help_save_failed = 9002;
const int help_below_paid = 9003;

const QString below_paid_title = QStringLiteral("Pozor, tuto opravu nelze uložit!");
const QString below_paid_text = QStringLiteral(
    "Změnili jste celkovou částku dokladu a na tento doklad již proběhla úhrada (úhrady).\r\n"
    "Nově vložená částka je však menší, než již provedená úhrada (úhrady) dokladu.\r\n\r\n"
    "Pokud trváte na této částce, musíte nejprve některou úhradu tohoto dokladu vymazat.");
const QString text_save_failed = QStringLiteral("Text dokladu se nepodařilo uložit.");

// The columns of an item, in the order they are written after RECID and HEADER_ID.
enum ItemColumn { icProduct, icAmount, icUnit, icCostPerUnit, icCost, icDiscount, icText, icCount };
const char *const item_columns[icCount] = {"PRO_ID", "AMOUNT",   "UNITV",    "COST_PER_UNIT",
                                           "COST",   "DISCOUNT", "ITEM_TEXT"};

} // namespace

TDocument::TDocument(TdbAPI &api, int type, TMemTable &header, TMemTable *items, int id)
    : m_api(api), m_type(type), m_header(header), m_items(items), m_id(id)
{
}

QString TDocument::details_table() const
{
    return QStringLiteral("DOC_DRS") + QString::number(m_type);
}

void TDocument::propose_new()
{
    const int number = m_api.next_number(QString::number(m_type), QStringLiteral("DOC_HEAD"), 1, 1);
    m_header.field_by_name(QStringLiteral("ID_DOC_TYPE")).set_as_integer(m_type);
    m_header.field_by_name(QStringLiteral("DOC_NO")).set_as_integer(number);
    m_header.field_by_name(QStringLiteral("DATE_D")).set_as_datetime(days_from_date(today()));
    m_header.field_by_name(QStringLiteral("ROUND_ID")).set_as_integer(default_rounding_mode(m_type));
    m_header.field_by_name(QStringLiteral("DISCOUNT")).set_as_float(0.0);
    m_header.field_by_name(QStringLiteral("ALL_SUM")).set_as_float(0.0);
    m_header.field_by_name(QStringLiteral("ROUND_SUM")).set_as_float(0.0);
    if (m_type == dtIssuedInvoice && number != 0)
        details.var_s = QString::number(number);
}

void TDocument::take_over(const CreditNoteSource &invoice)
{
    linked_invoice = invoice.invoice_id;
    currency.name = invoice.curr_name;
    currency.amount = invoice.curr_amount;
    currency.kurs = invoice.curr_kurs;
    m_header.field_by_name(QStringLiteral("ALL_SUM")).set_as_float(invoice.all_sum);
    m_header.field_by_name(QStringLiteral("ROUND_SUM")).set_as_float(invoice.round_sum);
    m_header.field_by_name(QStringLiteral("ID_ADDRESS")).set_as_integer(invoice.id_address);
    details.var_s = invoice.var_s;
    details.const_s = invoice.const_s;
}

void TDocument::currency_from_header()
{
    currency.name = m_header.field_by_name(QStringLiteral("CURR_NAME")).as_string();
    if (currency.name.isEmpty())
        currency.name = home_currency;
    currency.amount = m_header.field_by_name(QStringLiteral("CURR_AMOUNT")).as_integer();
    currency.kurs = m_header.field_by_name(QStringLiteral("CURR_KURS")).as_float();
}

bool TDocument::currency_from_list(int curr_list_id)
{
    ScopedSet row = m_api.select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT * FROM CURR_LIST WHERE RECID=") +
                                 QString::number(curr_list_id));
    if (!row || row->is_empty())
        return false;
    currency.name = row->field_by_name(QStringLiteral("CURR_NAME")).as_string();
    currency.amount = int(row->field_by_name(QStringLiteral("CURR_AMOUNT")).as_float());
    currency.kurs = row->field_by_name(QStringLiteral("CURR_KURS")).as_float();
    return true;
}

bool TDocument::read_details()
{
    if (m_id == 0)
        return false;
    ScopedSet row = m_api.select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT VAR_S, CONST_S, ID_LINK, ID_BANK FROM ") +
                                 details_table() + QStringLiteral(" WHERE RECID=") +
                                 QString::number(m_id));
    if (!row || row->is_empty())
        return false;
    details.var_s = row->field(0).as_string();
    details.const_s = row->field(1).as_string();
    details.id_link = row->field(2).as_integer();
    details.id_bank = row->field(3).as_integer();
    return true;
}

bool TDocument::has_items() const
{
    return m_items && m_items->record_count() > 0;
}

double TDocument::items_total() const
{
    if (!m_items)
        return 0.0;
    const int cost = m_items->field_by_name(QStringLiteral("COST")).index();
    std::vector<double> costs;
    costs.reserve(m_items->record_count());
    for (int row = 0; row < m_items->record_count(); ++row)
        costs.push_back(m_items->cell_value(row, cost).toDouble());
    return document_total(costs);
}

void TDocument::apply_items_total()
{
    if (has_items())
        m_header.field_by_name(QStringLiteral("ALL_SUM")).set_as_float(items_total());
    update_round_sum();
}

void TDocument::update_round_sum()
{
    const double total = m_header.field_by_name(QStringLiteral("ALL_SUM")).as_float();
    const int mode = m_header.field_by_name(QStringLiteral("ROUND_ID")).as_integer();
    m_header.field_by_name(QStringLiteral("ROUND_SUM")).set_as_float(round_by_mode(mode, total));
}

// Cents, not doubles: 0.10 + 0.20 paid is not less than a total of 0.30.
bool TDocument::correction_below_paid() const
{
    if (m_id == 0 || payment_count(m_api, m_id) <= 0)
        return false;
    const double round_sum = m_header.field_by_name(QStringLiteral("ROUND_SUM")).as_float();
    return money_cents(round_sum) < money_cents(document_paid(m_api, m_id, m_type));
}

TDocument::SaveResult TDocument::save()
{
    if (correction_below_paid()) {
        show_message(below_paid_title, below_paid_text, mbIconWarning, false, help_below_paid);
        return SaveResult::BelowPaid;
    }
    if (has_items())
        apply_items_total();

    bool written = false;
    int id = m_id;
    {
        // Inside the save a refused write is the editor's failure, not the program's end:
        // the user keeps the window with everything typed.
        const NonFatalMessages messages;
        DbTransaction transaction;
        // On a read-only database the first write is refused with the data layer's own
        // message, and the failure below follows it.
        if (transaction.active() || m_api.read_only) {
            if (id == 0)
                id = m_api.new_recid();
            written = (id != 0 || m_api.read_only) && write_header(id) && write_items(id) &&
                      write_details(id) &&
                      m_api.mark_series_written(
                          m_type, m_header.field_by_name(QStringLiteral("DOC_NO")).as_integer()) &&
                      transaction.commit();
        }
    }
    if (!written) {
        show_message(QStringLiteral("Chyba"), document_save_failed, mbIconError, false,
                     help_save_failed);
        return SaveResult::Failed;
    }
    m_id = id;
    // The text is a blob of its own, written after the commit: the document stands either
    // way, and the user is told when its text did not follow.
    if (text_changed && free_text) {
        if (m_api.write_rtf(m_id, free_text))
            text_changed = false;
        else
            show_message(QStringLiteral("Chyba"), text_save_failed, mbIconError, false,
                         help_save_failed);
    }
    return SaveResult::Saved;
}

bool TDocument::write_header(int id)
{
    const bool is_new = m_id == 0;
    RecordWriter record(m_api, QStringLiteral("DOC_HEAD"), is_new ? 0 : id);
    record.add(QStringLiteral("RECID"), id);
    record.add(QStringLiteral("ID_DOC_TYPE"), m_type);
    for (const char *column : {"DOC_NO", "ID_ADDRESS", "DATE_D", "MATURITY_D", "DISCOUNT",
                               "DOC_TITLE", "ALL_SUM", "ROUND_ID", "ROUND_SUM"})
        record.add(m_header.field_by_name(QLatin1String(column)));
    record.add(QStringLiteral("CURR_NAME"), currency.name);
    record.add(QStringLiteral("CURR_AMOUNT"), currency.amount);
    record.add(QStringLiteral("CURR_KURS"), currency.kurs);
    return record.put(is_new ? pmInsert : pmUpdate);
}

// Items are never updated in place: the stored ones go and the list is written anew, in
// its order.
bool TDocument::write_items(int id)
{
    if (m_type != dtIssuedInvoice || !m_items)
        return true;
    if (!m_api.exec_sql(QStringLiteral("DELETE FROM DOC_ITEMS WHERE HEADER_ID=") +
                        QString::number(id)))
        return false;
    int columns[icCount];
    for (int c = 0; c < icCount; ++c)
        columns[c] = m_items->field_by_name(QLatin1String(item_columns[c])).index();
    for (int row = 0; row < m_items->record_count(); ++row) {
        auto value = [&](ItemColumn column) { return m_items->cell_value(row, columns[column]); };
        RecordWriter item(m_api, QStringLiteral("DOC_ITEMS"));
        item.add_new_recid();
        item.add(QStringLiteral("HEADER_ID"), id);
        item.add(QStringLiteral("PRO_ID"), value(icProduct).toInt());
        item.add(QStringLiteral("AMOUNT"), value(icAmount).toDouble());
        item.add(QStringLiteral("UNITV"), value(icUnit).toString());
        item.add(QStringLiteral("COST_PER_UNIT"), value(icCostPerUnit).toDouble());
        item.add(QStringLiteral("COST"), value(icCost).toDouble());
        item.add(QStringLiteral("CURR_NAME"), currency.name);
        item.add(QStringLiteral("CURR_AMOUNT"), currency.amount);
        item.add(QStringLiteral("CURR_KURS"), currency.kurs);
        item.add(QStringLiteral("DISCOUNT"), value(icDiscount).toDouble());
        item.add(QStringLiteral("ITEM_TEXT"), value(icText).toString());
        if (!item.put(pmInsert))
            return false;
    }
    return true;
}

// A stored document without its details row (written by an older program or by hand) gets
// one, instead of an update that would change nothing and pass for a save.
bool TDocument::write_details(int id)
{
    const QString table = details_table();
    const bool exists =
        m_id != 0 && m_api.count_rows(table, QStringLiteral("RECID=") + QString::number(id)) > 0;
    RecordWriter record(m_api, table, exists ? id : 0);
    record.add(QStringLiteral("RECID"), id);
    record.add(QStringLiteral("VAR_S"), details.var_s);
    record.add(QStringLiteral("CONST_S"), details.const_s);
    record.add(QStringLiteral("ID_LINK"),
               m_type == dtIssuedCredit || m_type == dtReceivedCredit ? linked_invoice
                                                                      : details.id_link);
    record.add(QStringLiteral("ID_BANK"), details.id_bank);
    return record.put(exists ? pmUpdate : pmInsert);
}
