// A bank statement of 5 000 movements read against 100 000 documents: proposing a payment
// for every movement by its variable symbol (the matching, the split of what a document does
// not await, the review window filled and shown) against SQLite stepping the same selects
// of the open documents by variable symbol in the same run.  On a busy machine compare the
// CPU column.

#include "bench_database.h"
#include "data/memtable.h"
#include "taxrecords/bank_import.h"
#include "taxrecords/ui/fbank_import.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

BenchDatabase *database = nullptr;
BankStatement statement;

// 1 250 documents of each type spread over the years, paid in full, and a tenth of the movements
// paying more than the document awaits.
bool make_statement(TdbAPI &api)
{
    ScopedSet account = api.select_scoped(
        QStringLiteral("X"),
        QStringLiteral("SELECT MNO FROM CONF_BANKCASH WHERE IS_BANK = 'T' ORDER BY RECID"));
    if (!account || account->is_empty())
        return false;
    statement.account = account->field(0).as_string();
    statement.date = QDate(2026, 3, 31);
    for (int type = 1; type <= 4; ++type) {
        ScopedSet documents = api.select_scoped(
            QStringLiteral("X"),
            QStringLiteral("SELECT D.VAR_S, H.ROUND_SUM, H.CURR_NAME FROM DOC_DRS%1 D "
                           "JOIN DOC_HEAD H ON H.RECID = D.RECID ORDER BY H.RECID")
                .arg(type));
        if (!documents || documents->record_count() < 1250)
            return false;
        const int step = documents->record_count() / 1250;
        int taken = 0;
        int row = 0;
        for (documents->first(); !documents->eof() && taken < 1250; documents->next()) {
            if (row++ % step != 0)
                continue;
            ++taken;
            BankMovement movement;
            movement.line = int(statement.movements.size()) + 2;
            movement.transaction_id = QString::number(movement.line);
            movement.credit = type == 1 || type == 4;
            movement.variable_symbol = normalized_symbol(documents->field(0).as_string());
            movement.amount_cents = std::llround(documents->field(1).as_float() * 100.0);
            if (movement.line % 10 == 0)
                movement.amount_cents += 5000;
            const QString currency = documents->field(2).as_string().trimmed();
            movement.currency = currency == QStringLiteral("Kč") ? QStringLiteral("CZK") : currency;
            movement.value_date = statement.date;
            movement.counter_name = QStringLiteral("Odběratel");
            statement.movements.push_back(movement);
        }
    }
    return statement.movements.size() == 5000;
}

// The floor: one raw select of the open documents per movement, every column read.
void raw_selects_by_symbol(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database->path().toUtf8().constData(), &db,
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (const BankMovement &movement : statement.movements) {
            const QByteArray sql =
                documents_by_symbol_select(movement.credit, movement.variable_symbol).toUtf8();
            sqlite3_stmt *select = nullptr;
            sqlite3_prepare_v2(db, sql.constData(), -1, &select, nullptr);
            const int columns = sqlite3_column_count(select);
            while (sqlite3_step(select) == SQLITE_ROW) {
                ++found;
                for (int c = 0; c < columns; ++c)
                    benchmark::DoNotOptimize(sqlite3_column_text(select, c));
            }
            sqlite3_finalize(select);
        }
    }
    sqlite3_close(db);
    state.counters["documents"] = found;
}

void propose_statement(benchmark::State &state)
{
    size_t lines = 0;
    for (auto _ : state) {
        const ImportReading reading = propose_bank_import(database->api(), statement);
        lines = reading.import.proposals.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = double(lines);
}

// What the user waits for: the proposals and the review window showing them.
void propose_and_show_review(benchmark::State &state)
{
    int paid = 0;
    for (auto _ : state) {
        const ImportReading reading = propose_bank_import(database->api(), statement);
        TfBankImport review(database->api(), reading.import);
        review.show();
        QApplication::processEvents();
        paid = 0;
        for (const ImportProposal &proposal : review.import().proposals)
            paid += proposal.doc_id != 0;
    }
    state.counters["paying"] = paid;
}

} // namespace

BENCHMARK(raw_selects_by_symbol)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(propose_statement)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(propose_and_show_review)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    DemoSize size;
    size.documents = 100000;
    const QString kept = qEnvironmentVariable("TALLYRA_BENCH_DB");
    BenchDatabase db(kept.isEmpty() ? dir.filePath("bank.db") : kept, size);
    if (!db.ok())
        return 1;
    database = &db;
    if (!make_statement(db.api())) {
        std::fprintf(stderr, "bench_bank_import: the demo data give no statement of 5 000 "
                             "movements\n");
        return 1;
    }
    std::printf("documents: %d, movements: %zu\n", db.api().count_rows(QStringLiteral("DOC_HEAD")),
                statement.movements.size());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
