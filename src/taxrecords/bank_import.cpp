#include "taxrecords/bank_import.h"

#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "data/tdatetime.h"
#include "documents/doc_currency.h"
#include "documents/doc_payments.h"
#include "documents/doc_totals.h"
#include "documents/doc_types.h"
#include "taxrecords/bank_statement_camt.h"
#include "taxrecords/bank_statement_gpc.h"
#include "taxrecords/entry_currency.h"
#include "taxrecords/entry_document.h"
#include "taxrecords/journal_entry.h"
#include "text/format_settings.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <map>
#include <set>

namespace {

// The columns of documents_by_symbol_select, in its order.
enum CandidateColumn { ccRecid, ccType, ccDocNo, ccRoundSum, ccCurrName, ccPaid };

struct Candidate {
    int id = 0;
    int type = 0;
    QString doc_no;
    long long remaining_cents = 0;
};

// An account as the bank identifies it: prefix, number and, where known, the bank's code.
struct AccountKey {
    qint64 prefix = 0;
    qint64 number = 0;
    int bank = 0;
    bool valid = false;
};

AccountKey account_key(const QString &text)
{
    AccountKey key;
    QString compact = text;
    compact.remove(u' ');
    compact = compact.toUpper();
    static const QRegularExpression czech_iban(
        QStringLiteral("^CZ\\d{2}(\\d{4})(\\d{6})(\\d{10})$"));
    static const QRegularExpression domestic(
        QStringLiteral("^(?:(\\d{1,6})-)?(\\d{1,16})(?:/(\\d{4}))?$"));
    if (const auto match = czech_iban.match(compact); match.hasMatch()) {
        key.bank = match.captured(1).toInt();
        key.prefix = match.captured(2).toLongLong();
        key.number = match.captured(3).toLongLong();
        key.valid = true;
    } else if (const auto match = domestic.match(compact); match.hasMatch()) {
        key.prefix = match.captured(1).toLongLong();
        key.number = match.captured(2).toLongLong();
        // Sixteen digits without a dash are prefix and number run together, as GPC writes them.
        if (match.captured(1).isEmpty() && match.captured(2).size() > 10) {
            key.prefix = key.number / 10000000000LL;
            key.number %= 10000000000LL;
        }
        key.bank = match.captured(3).toInt();
        key.valid = key.number != 0;
    }
    return key;
}

bool same_account(const AccountKey &a, const AccountKey &b)
{
    return a.valid && b.valid && a.prefix == b.prefix && a.number == b.number &&
           (a.bank == 0 || b.bank == 0 || a.bank == b.bank);
}

std::vector<Candidate> candidates(TdbAPI &api, const BankMovement &movement)
{
    std::vector<Candidate> found;
    ScopedSet set =
        api.select_scoped(QStringLiteral("BANK_MATCH"),
                          documents_by_symbol_select(movement.credit, movement.variable_symbol));
    if (!set)
        return found;
    const QString currency = journal_currency(movement.currency);
    for (set->first(); !set->eof(); set->next()) {
        if (set->field(ccCurrName).as_string().trimmed() != currency)
            continue;
        Candidate candidate;
        candidate.id = set->field(ccRecid).as_integer();
        candidate.type = set->field(ccType).as_integer();
        candidate.doc_no = set->field(ccDocNo).as_string().trimmed();
        candidate.remaining_cents = money_cents(set->field(ccRoundSum).as_float()) -
                                    money_cents(set->field(ccPaid).as_float());
        found.push_back(candidate);
    }
    return found;
}

// Of several documents with the symbol, the one awaiting exactly the amount; else the one
// the amount pays with the least left over; else the one it pays the most of.
const Candidate *best_candidate(const std::vector<Candidate> &found, long long amount)
{
    const Candidate *best = nullptr;
    const auto rank = [amount](const Candidate &c) {
        if (c.remaining_cents == amount)
            return std::pair<int, long long>(0, 0);
        if (c.remaining_cents > amount)
            return std::pair<int, long long>(1, c.remaining_cents - amount);
        return std::pair<int, long long>(2, -c.remaining_cents);
    };
    for (const Candidate &candidate : found) {
        if (candidate.remaining_cents <= 0)
            continue;
        if (!best || rank(candidate) < rank(*best))
            best = &candidate;
    }
    return best;
}

int first_category(TdbAPI &api, bool credit)
{
    const std::vector<ImportCategory> categories = import_categories(api, credit);
    return categories.empty() ? 0 : categories.front().recid;
}

// Puts the movement's line `row` onto the document, splitting off what it does not await.
void pay_document(BankImport &import, int row, const Candidate &document, int category)
{
    ImportProposal &proposal = import.proposals[size_t(row)];
    const long long rest = proposal.amount_cents - document.remaining_cents;
    proposal.doc_id = document.id;
    proposal.doc_type = document.type;
    proposal.doc_no = document.doc_no;
    proposal.remaining_cents = document.remaining_cents;
    proposal.grp_id = category;
    if (rest <= 0)
        return;
    proposal.amount_cents = document.remaining_cents;
    ImportProposal remainder;
    remainder.movement = proposal.movement;
    remainder.amount_cents = rest;
    import.proposals.insert(import.proposals.begin() + row + 1, remainder);
}

// What the lines before `row` already give to the document in this import.
long long proposed_before(const BankImport &import, int doc_id, int row)
{
    long long sum = 0;
    for (int i = 0; i < int(import.proposals.size()); ++i) {
        const ImportProposal &p = import.proposals[size_t(i)];
        if (i != row && p.doc_id == doc_id && !p.skipped && !p.booked_before)
            sum += p.amount_cents;
    }
    return sum;
}

// The movements of the statement's dates that were booked before, as date and id.
std::set<std::pair<QDate, QString>> booked_transactions(TdbAPI &api, int cash_id,
                                                        const BankStatement &statement)
{
    std::set<QDate> dates;
    for (const BankMovement &movement : statement.movements)
        dates.insert(movement.statement_date);
    QStringList quoted;
    for (const QDate &date : dates)
        quoted.append(sql_quote(sql_date(date)));
    std::set<std::pair<QDate, QString>> ids;
    if (quoted.isEmpty())
        return ids;
    ScopedSet set = api.select_scoped(
        QStringLiteral("BANK_TRANS"),
        QStringLiteral(
            "SELECT STMT_D, TRANS_ID FROM BANK_TRANS WHERE CASH_ID=%1 AND STMT_D IN (%2)")
            .arg(cash_id)
            .arg(quoted.join(QStringLiteral(", "))));
    if (set) {
        for (set->first(); !set->eof(); set->next())
            ids.insert({date_from_days(set->field(0).as_datetime()), set->field(1).as_string()});
    }
    return ids;
}

void refuse(const QString &text)
{
    show_message(QStringLiteral("Chyba"), text, mbIconError);
}

} // namespace

QString ImportProposal::proposal_text() const
{
    if (booked_before)
        return QStringLiteral("již zaúčtováno");
    if (doc_id == 0)
        return QStringLiteral("bez vazby");
    return doc_type_name(doc_type) + u' ' + doc_no;
}

QString ImportProposal::state_after() const
{
    if (doc_id == 0 || booked_before)
        return {};
    return payment_state_text(amount_cents >= remaining_cents ? psPaid : psPartlyPaid);
}

StatementReading read_bank_statement(const QByteArray &bytes)
{
    if (bytes.trimmed().startsWith('<') || bytes.startsWith("\xEF\xBB\xBF"))
        return read_camt_statement(bytes);
    return read_gpc_statement(bytes);
}

int statement_account(TdbAPI &api, const QString &account)
{
    const AccountKey wanted = account_key(account);
    QString iban = account;
    iban.remove(u' ');
    iban = iban.toUpper();
    ScopedSet set = api.select_scoped(QStringLiteral("CONF_BANKCASH"),
                                      QStringLiteral("SELECT RECID, MNO, IBAN FROM CONF_BANKCASH"));
    if (!set)
        return 0;
    for (set->first(); !set->eof(); set->next()) {
        QString own_iban = set->field(2).as_string();
        own_iban.remove(u' ');
        if ((!own_iban.isEmpty() && own_iban.toUpper() == iban) ||
            same_account(account_key(set->field(1).as_string()), wanted))
            return set->field(0).as_integer();
    }
    return 0;
}

QString documents_by_symbol_select(bool credit, const QString &symbol)
{
    // Credits pay the types that bring money in (1 and 4), debits the others (2 and 3).
    const int first = credit ? 1 : 2;
    const int second = credit ? 4 : 3;
    const QString column = credit ? QStringLiteral("INCOME") : QStringLiteral("OUTCOME");
    const QString branch =
        // total() is a real number even for no payment: a column without a declared type
        // takes the type of its first value, and an unpaid first document would make it
        // whole numbers that a later paid-with-hellers one cannot be read into.
        QStringLiteral("SELECT H.RECID, H.ID_DOC_TYPE, H.DOC_NO, H.ROUND_SUM, H.CURR_NAME, "
                       "(SELECT total(T.%1) FROM TE T WHERE T.DOC_ID = H.RECID) AS PAID "
                       "FROM DOC_DRS%2 D JOIN DOC_HEAD H ON H.RECID = D.RECID "
                       "WHERE ltrim(trim(D.VAR_S), '0') = %3");
    const QString quoted = sql_quote(normalized_symbol(symbol));
    return branch.arg(column).arg(first).arg(quoted) + QStringLiteral(" UNION ALL ") +
           branch.arg(column).arg(second).arg(quoted) + QStringLiteral(" ORDER BY 1");
}

std::vector<ImportCategory> import_categories(TdbAPI &api, bool credit)
{
    std::vector<ImportCategory> categories;
    ScopedSet set = api.select_scoped(
        QStringLiteral("TE_GRP"),
        QStringLiteral("SELECT RECID, GRP_NAME FROM TE_GRP WHERE %1 = 'T' "
                       "ORDER BY IS_OUTCOME, RECID")
            .arg(credit ? QStringLiteral("IS_INCOME") : QStringLiteral("IS_OUTCOME")));
    if (set) {
        for (set->first(); !set->eof(); set->next())
            categories.push_back({set->field(0).as_integer(), set->field(1).as_string()});
    }
    return categories;
}

ImportReading propose_bank_import(TdbAPI &api, const BankStatement &statement)
{
    ImportReading reading;
    BankImport &import = reading.import;
    import.cash_id = statement_account(api, statement.account);
    if (import.cash_id == 0) {
        reading.error = QStringLiteral("Účet výpisu %1 není mezi bankovními účty firmy. "
                                       "Doplňte ho do bankovních účtů a pokladen.")
                            .arg(statement.account);
        return reading;
    }
    import.account_name =
        api.lookup_text(import.cash_id, QStringLiteral("CONF_BANKCASH"), QStringLiteral("MNAME"));
    import.statement = statement;
    for (BankMovement &movement : import.statement.movements) {
        if (!movement.statement_date.isValid())
            movement.statement_date = statement.date;
    }
    std::set<std::pair<QDate, QString>> booked =
        booked_transactions(api, import.cash_id, import.statement);
    const int income_category = first_category(api, true);
    const int outcome_category = first_category(api, false);
    // What this statement's earlier lines already give to a document.
    std::map<int, long long> proposed;
    for (int i = 0; i < int(import.statement.movements.size()); ++i) {
        const BankMovement &movement = import.statement.movements[size_t(i)];
        ImportProposal proposal;
        proposal.movement = i;
        proposal.amount_cents = movement.amount_cents;
        // A movement the file lists twice (overlapping statements) counts once.
        proposal.booked_before =
            !booked.insert({movement.statement_date, movement.transaction_id}).second;
        import.proposals.push_back(proposal);
        if (proposal.booked_before || movement.reversal || movement.variable_symbol.isEmpty() ||
            movement.amount_cents == 0)
            continue;
        std::vector<Candidate> found = candidates(api, movement);
        for (Candidate &candidate : found)
            candidate.remaining_cents -= proposed[candidate.id];
        const Candidate *best = best_candidate(found, movement.amount_cents);
        if (!best)
            continue;
        proposed[best->id] += std::min(best->remaining_cents, movement.amount_cents);
        pay_document(import, int(import.proposals.size()) - 1, *best,
                     movement.credit ? income_category : outcome_category);
    }
    return reading;
}

ImportReading prepare_bank_import(TdbAPI &api, const QByteArray &bytes)
{
    const StatementReading statement = read_bank_statement(bytes);
    if (!statement.ok()) {
        ImportReading reading;
        reading.error = statement.error;
        return reading;
    }
    return propose_bank_import(api, statement.statement);
}

bool assign_document(TdbAPI &api, BankImport &import, int row, const QString &doc_no,
                     QString &error)
{
    ImportProposal &proposal = import.proposals[size_t(row)];
    const BankMovement &movement = import.movement_of(proposal);
    const int first = movement.credit ? 1 : 2;
    const int second = movement.credit ? 4 : 3;
    ScopedSet set = api.select_scoped(
        QStringLiteral("BANK_DOC"),
        QStringLiteral("SELECT RECID FROM DOC_HEAD WHERE ID_DOC_TYPE IN (%1, %2) AND "
                       "trim(DOC_NO) = %3 AND CURR_NAME = %4 ORDER BY RECID")
            .arg(first)
            .arg(second)
            .arg(sql_quote(doc_no.trimmed()), sql_quote(journal_currency(movement.currency))));
    if (!set || set->is_empty()) {
        error = QStringLiteral("Doklad %1 v měně %2 mezi doklady, které tento pohyb může "
                               "uhradit, není.")
                    .arg(doc_no.trimmed(), journal_currency(movement.currency));
        return false;
    }
    // Numbers start again with every year: the open one of equally numbered documents.
    Candidate candidate;
    for (set->first(); !set->eof() && candidate.remaining_cents <= 0; set->next()) {
        const std::optional<EntryDocument> document =
            read_entry_document(api, set->field(0).as_integer());
        if (!document)
            continue;
        candidate.id = document->id;
        candidate.type = document->type;
        candidate.doc_no = document->doc_no;
        candidate.remaining_cents = money_cents(remaining_to_pay(api, *document, 0.0)) -
                                    proposed_before(import, document->id, row);
    }
    if (candidate.remaining_cents <= 0) {
        error = QStringLiteral("Doklad %1 je již celý uhrazen.").arg(doc_no.trimmed());
        return false;
    }
    pay_document(import, row, candidate,
                 proposal.grp_id ? proposal.grp_id : first_category(api, movement.credit));
    return true;
}

void detach_document(BankImport &import, int row)
{
    ImportProposal &proposal = import.proposals[size_t(row)];
    proposal.doc_id = 0;
    proposal.doc_type = 0;
    proposal.doc_no.clear();
    proposal.remaining_cents = 0;
    proposal.grp_id = 0;
}

int book_bank_import(TdbAPI &api, const BankImport &import)
{
    DbTransaction transaction;
    if (!transaction.active()) {
        api.report_db_error(false);
        return -1;
    }
    const std::vector<EntryCurrency> currencies = entry_currencies(api);
    const std::vector<ImportCategory> income_categories = import_categories(api, true);
    const std::vector<ImportCategory> outcome_categories = import_categories(api, false);
    std::set<int> remembered;
    int booked = 0;
    for (const ImportProposal &proposal : import.proposals) {
        if (!proposal.will_book())
            continue;
        const BankMovement &movement = import.movement_of(proposal);
        const std::vector<ImportCategory> &allowed =
            movement.credit ? income_categories : outcome_categories;
        if (std::none_of(allowed.begin(), allowed.end(), [&proposal](const ImportCategory &c) {
                return c.recid == proposal.grp_id;
            })) {
            refuse(QStringLiteral("Pohyb z řádku %1 nelze zaúčtovat: zvolené členění nepřipouští "
                                  "%2. Nic nebylo zaúčtováno.")
                       .arg(movement.line)
                       .arg(movement.credit ? QStringLiteral("příjmy") : QStringLiteral("výdaje")));
            return -1;
        }
        JournalEntry entry;
        entry.date = movement.value_date;
        entry.grp_id = proposal.grp_id;
        entry.text = movement.text();
        entry.cash_id = import.cash_id;
        entry.origin_curr = journal_currency(movement.currency);
        if (const EntryCurrency *rate = find_currency(currencies, entry.origin_curr)) {
            entry.curr_amount = rate->amount;
            entry.curr_kurs = rate->kurs;
        }
        const double amount = double(proposal.amount_cents) / 100.0;
        if (proposal.doc_id != 0) {
            // The rules of a typed payment, read again inside the transaction: the
            // document's direction and currency, and no more than it still awaits.
            const std::optional<EntryDocument> document = read_entry_document(api, proposal.doc_id);
            const double remaining = document ? remaining_to_pay(api, *document, 0.0) : 0.0;
            if (!document || document->paid_by_income() != movement.credit ||
                document->curr_name != entry.origin_curr || fully_paid(remaining) ||
                !amount_within(amount, remaining)) {
                refuse(QStringLiteral("Pohyb z řádku %1 nelze zaúčtovat na doklad %2: doklad "
                                      "mezitím změnil stav nebo mu nezbývá tolik k úhradě. "
                                      "Nic nebylo zaúčtováno.")
                           .arg(movement.line)
                           .arg(proposal.doc_no));
                return -1;
            }
            entry.doc_id = document->id;
            entry.doc_no = document->doc_no;
        } else {
            entry.doc_no = proposed_journal_number(api);
        }
        (movement.credit ? entry.income : entry.outcome) = amount;
        const int id = entry.save(api);
        if (id == 0)
            return -1;
        ++booked;
        if (!remembered.insert(proposal.movement).second)
            continue;
        // Refused by the unique key when another window booked the movement meanwhile.
        if (!api.exec_sql(QStringLiteral("INSERT INTO BANK_TRANS (RECID, CASH_ID, STMT_D, "
                                         "TRANS_ID, TE_ID) VALUES (null, %1, %2, %3, %4)")
                              .arg(import.cash_id)
                              .arg(sql_quote(sql_date(movement.statement_date)),
                                   sql_quote(movement.transaction_id))
                              .arg(id)))
            return -1;
    }
    if (!transaction.commit())
        return -1;
    return booked;
}
