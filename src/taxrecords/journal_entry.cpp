#include "taxrecords/journal_entry.h"

#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/messages.h"
#include "data/record_writer.h"
#include "data/tdatetime.h"
#include "documents/doc_totals.h"
#include "masterdata/editor_save.h"

namespace {

const int help_save_failed = 9002;

void report_save_failure()
{
    show_message(QStringLiteral("Chyba"), QStringLiteral("Záznam se nepodařilo uložit!"),
                 mbIconError, false, help_save_failed);
}

} // namespace

JournalEntry JournalEntry::from_row(const TMemTable &set)
{
    const auto field = [&set](const char *name) -> const TField & {
        return set.field_by_name(QLatin1String(name));
    };
    JournalEntry entry;
    entry.recid = field("RECID").as_integer();
    entry.doc_id = field("DOC_ID").as_integer();
    if (!field("DATE_D").is_null())
        entry.date = date_from_days(field("DATE_D").as_datetime());
    entry.doc_no = field("DOC_NO").as_string().trimmed();
    entry.grp_id = field("GRP_ID").as_integer();
    entry.text = field("TE_TEXT").as_string().trimmed();
    entry.cash_id = field("CASH_ID").as_integer();
    entry.origin_curr = field("ORIGIN_CURR").as_string().trimmed();
    if (entry.origin_curr.isEmpty())
        entry.origin_curr = home_currency;
    entry.curr_amount = field("CURR_AMOUNT").is_null() ? 1 : field("CURR_AMOUNT").as_integer();
    entry.curr_kurs = field("CURR_KURS").is_null() ? 1.0 : field("CURR_KURS").as_float();
    entry.income = field("INCOME").as_float();
    entry.outcome = field("OUTCOME").as_float();
    return entry;
}

bool JournalEntry::complete() const
{
    const long long income_cents = money_cents(income);
    const long long outcome_cents = money_cents(outcome);
    return date.isValid() && grp_id != 0 && cash_id != 0 && !text.trimmed().isEmpty() &&
           income_cents >= 0 && outcome_cents >= 0 && income_cents + outcome_cents > 0;
}

int JournalEntry::save(TdbAPI &api) const
{
    if (!complete())
        return 0;
    DbTransaction transaction;
    if (!transaction.active()) {
        report_save_failure();
        return 0;
    }
    // The row's own writer joins this transaction, so the series stamp below is part of it.
    const int id = save_editor_row(api, QStringLiteral("TE"), recid, [this](RecordWriter &row) {
        row.add(QStringLiteral("DOC_ID"), doc_id)
            .add(QStringLiteral("DATE_D"), date)
            .add(QStringLiteral("DOC_NO"), doc_no)
            .add(QStringLiteral("GRP_ID"), grp_id)
            .add(QStringLiteral("TE_TEXT"), text)
            .add(QStringLiteral("CASH_ID"), cash_id)
            .add(QStringLiteral("ORIGIN_CURR"), origin_curr)
            .add(QStringLiteral("CURR_AMOUNT"), curr_amount)
            .add(QStringLiteral("CURR_KURS"), curr_kurs)
            .add(QStringLiteral("INCOME"), income)
            .add(QStringLiteral("OUTCOME"), outcome);
    });
    bool stored = id != 0;
    if (stored && doc_id == 0)
        stored = api.mark_series_written(journal_series, TdbAPI::digits_value(doc_no));
    if (!stored || !transaction.commit()) {
        report_save_failure();
        return 0;
    }
    return id;
}

bool delete_journal_entry(TdbAPI &api, int recid)
{
    if (recid == 0)
        return false;
    DbTransaction transaction;
    if (!transaction.active()) {
        api.report_db_error(false);
        return false;
    }
    RecordWriter row(api, QStringLiteral("TE"), recid);
    return row.put(pmDelete) && transaction.commit();
}

QString proposed_journal_number(TdbAPI &api)
{
    const int number = api.next_number(QString::number(journal_series), QStringLiteral("TE"), 1, 1);
    if (number == 0)
        return {};
    return api.lookup_text(journal_series, QStringLiteral("GENER_NO"), QStringLiteral("TXT"))
               .trimmed() +
           QString::number(number);
}
