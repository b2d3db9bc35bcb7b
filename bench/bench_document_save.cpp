// Saving a corrected issued invoice of 200 items on a database of 100 000 documents: the
// header updated, the items deleted and inserted again, the payment details and the series
// stamp, in one transaction.  The floor is the same statements prepared once and stepped
// through the raw sqlite3 interface in one transaction, in the same run.  Also the opening
// of the document editor on that invoice, against the raw selects of its header and items.

#include "bench_database.h"

#include "data/clock.h"
#include "data/memtable.h"
#include "documents/doc_totals.h"
#include "documents/document.h"
#include "documents/ui/fdoc_head.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

const int items_per_invoice = 200;

BenchDatabase *database = nullptr;
int invoice_id = 0;
int invoice_address = 0;
double floor_save_ns = 0;
double floor_open_ns = 0;

// The figure against its floor, both per iteration and measured in this run.
void report_ratio(benchmark::State &state, qint64 elapsed_ns, double floor_ns)
{
    if (floor_ns > 0 && state.iterations() > 0)
        state.counters["x_floor"] = double(elapsed_ns) / double(state.iterations()) / floor_ns;
}

// The invoice every benchmark works on, stored once through the document itself.
bool store_invoice(TdbAPI &api)
{
    ScopedSet address = api.select_scoped(QStringLiteral("X"),
                                          QStringLiteral("SELECT RECID FROM VIEW_OUT_ADDRESS "
                                                         "WHERE IS_INVOICE='T' LIMIT 1"));
    ScopedSet product =
        api.select_scoped(QStringLiteral("X"), QStringLiteral("SELECT RECID FROM PRO LIMIT 1"));
    if (!address || address->is_empty() || !product || product->is_empty())
        return false;
    invoice_address = address->field(0).as_integer();
    ScopedSet header = api.select_scoped(QStringLiteral("DOC_HEAD"),
                                         QStringLiteral("SELECT * FROM DOC_HEAD WHERE RECID=0"));
    ScopedSet items = api.select_scoped(QStringLiteral("VIEW_ITEMS2"),
                                        QStringLiteral("SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=0"));
    header->append();
    TDocument document(api, 1, *header.get(), items.get(), 0);
    document.propose_new();
    header->field_by_name(QStringLiteral("ID_ADDRESS")).set_as_integer(invoice_address);
    header->field_by_name(QStringLiteral("DOC_TITLE")).set_as_string(QStringLiteral("dvě stě položek"));
    document.details.id_link = invoice_address;
    document.details.id_bank = 1;
    for (int n = 1; n <= items_per_invoice; ++n) {
        items->append();
        items->field_by_name(QStringLiteral("PRO_ID")).set_as_integer(product->field(0).as_integer());
        items->field_by_name(QStringLiteral("AMOUNT")).set_as_float(n);
        items->field_by_name(QStringLiteral("UNITV")).set_as_string(QStringLiteral("ks"));
        items->field_by_name(QStringLiteral("COST_PER_UNIT")).set_as_float(12.5);
        items->field_by_name(QStringLiteral("COST")).set_as_float(item_cost(n, 12.5, 0));
        items->field_by_name(QStringLiteral("ITEM_TEXT"))
            .set_as_string(QStringLiteral("položka číslo ") + QString::number(n));
        items->post();
    }
    if (document.save() != TDocument::SaveResult::Saved)
        return false;
    invoice_id = document.id();
    return true;
}

void document_save(benchmark::State &state)
{
    TdbAPI &api = database->api();
    ScopedSet header = api.select_scoped(QStringLiteral("VIEW_DOC1"),
                                         QStringLiteral("SELECT * FROM VIEW_DOC1 WHERE RECID=") +
                                             QString::number(invoice_id));
    ScopedSet items = api.select_scoped(QStringLiteral("VIEW_ITEMS2"),
                                        QStringLiteral("SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=") +
                                            QString::number(invoice_id));
    header->edit();
    TDocument document(api, 1, *header.get(), items.get(), invoice_id);
    document.currency_from_header();
    document.read_details();
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        if (document.save() != TDocument::SaveResult::Saved)
            state.SkipWithError("the save failed");
    report_ratio(state, timer.nsecsElapsed(), floor_save_ns);
    header->cancel();
}

struct Statement {
    Statement(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &handle, nullptr); }
    ~Statement() { sqlite3_finalize(handle); }
    void run()
    {
        while (sqlite3_step(handle) == SQLITE_ROW)
            benchmark::DoNotOptimize(sqlite3_column_int64(handle, 0));
        sqlite3_reset(handle);
    }
    sqlite3_stmt *handle = nullptr;
};

// What the save runs, statement by statement: the payment count, the header update, the item
// deletion, a drawn id (in the generator's savepoint) and an insert per item, the details
// check and update, the stamp.
void raw_save(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database->path().toUtf8().constData(), &db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(db, 1000);
    QElapsedTimer timer;
    {
        Statement begin(db, "BEGIN IMMEDIATE");
        Statement commit(db, "COMMIT");
        Statement payments(db, "SELECT COUNT(*) FROM TE WHERE DOC_ID=?1");
        Statement header(db, "UPDATE DOC_HEAD SET ID_DOC_TYPE=1, DOC_NO=DOC_NO, ID_ADDRESS=?2, "
                             "DATE_D='2026-03-14', MATURITY_D=NULL, DISCOUNT=0, DOC_TITLE=?3, "
                             "ALL_SUM=?4, ROUND_ID=2, ROUND_SUM=?4, CURR_NAME='Kč', CURR_AMOUNT=1, "
                             "CURR_KURS=1.0 WHERE RECID=?1");
        Statement remove(db, "DELETE FROM DOC_ITEMS WHERE HEADER_ID=?1");
        // The id generator's own statements, as the library runs them for each id.
        Statement savepoint(db, "SAVEPOINT dm_gen_id");
        Statement advance(db, "UPDATE DM_GEN SET LAST_ID = max(LAST_ID, 0) + 1 WHERE RECID = 1 "
                              "AND max(LAST_ID, 0) < 2147483647");
        Statement release(db, "RELEASE dm_gen_id");
        Statement last(db, "SELECT LAST_ID FROM DM_GEN WHERE RECID = 1");
        Statement insert(db, "INSERT INTO DOC_ITEMS (RECID, HEADER_ID, PRO_ID, AMOUNT, UNITV, "
                             "COST_PER_UNIT, COST, CURR_NAME, CURR_AMOUNT, CURR_KURS, DISCOUNT, "
                             "ITEM_TEXT) VALUES (?1, ?2, ?3, ?4, 'ks', 12.5, ?5, 'Kč', 1, 1.0, 0, ?6)");
        Statement details_exist(db, "SELECT COUNT(*) FROM DOC_DRS1 WHERE RECID=?1");
        Statement details(db, "UPDATE DOC_DRS1 SET VAR_S=?2, CONST_S='', ID_LINK=?3, ID_BANK=1 "
                              "WHERE RECID=?1");
        Statement stamp(db, "UPDATE GENER_NO SET LAST_WRITE='14.3.2026' WHERE RECID=1");
        const QByteArray title = QStringLiteral("dvě stě položek").toUtf8();
        timer.start();
        for (auto _ : state) {
            begin.run();
            sqlite3_bind_int(payments.handle, 1, invoice_id);
            payments.run();
            sqlite3_bind_int(header.handle, 1, invoice_id);
            sqlite3_bind_int(header.handle, 2, invoice_address);
            sqlite3_bind_text(header.handle, 3, title.constData(), int(title.size()), SQLITE_STATIC);
            sqlite3_bind_double(header.handle, 4, 251250.0);
            header.run();
            sqlite3_bind_int(remove.handle, 1, invoice_id);
            remove.run();
            for (int n = 1; n <= items_per_invoice; ++n) {
                savepoint.run();
                advance.run();
                sqlite3_step(last.handle);
                const sqlite3_int64 id = sqlite3_column_int64(last.handle, 0);
                sqlite3_reset(last.handle);
                release.run();
                const QByteArray text = (QStringLiteral("položka číslo ") + QString::number(n)).toUtf8();
                sqlite3_bind_int64(insert.handle, 1, id);
                sqlite3_bind_int(insert.handle, 2, invoice_id);
                sqlite3_bind_int(insert.handle, 3, 1);
                sqlite3_bind_double(insert.handle, 4, n);
                sqlite3_bind_double(insert.handle, 5, n * 12.5);
                sqlite3_bind_text(insert.handle, 6, text.constData(), int(text.size()),
                                  SQLITE_TRANSIENT);
                insert.run();
            }
            sqlite3_bind_int(details_exist.handle, 1, invoice_id);
            details_exist.run();
            sqlite3_bind_int(details.handle, 1, invoice_id);
            sqlite3_bind_text(details.handle, 2, "1", 1, SQLITE_STATIC);
            sqlite3_bind_int(details.handle, 3, invoice_address);
            details.run();
            stamp.run();
            commit.run();
        }
    }
    floor_save_ns = double(timer.nsecsElapsed()) / double(state.iterations());
    sqlite3_close(db);
}

void editor_opening(benchmark::State &state)
{
    TdbAPI &api = database->api();
    ScopedSet book = api.select_scoped(QStringLiteral("VIEW_DOC1"),
                                       QStringLiteral("SELECT * FROM VIEW_DOC1 WHERE RECID=") +
                                           QString::number(invoice_id));
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        Tfm_docheader editor(1, 1, book.get(), 0, 0);
        benchmark::DoNotOptimize(editor.item_set()->record_count());
        book->cancel();
    }
    report_ratio(state, timer.nsecsElapsed(), floor_open_ns);
}

void raw_opening(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database->path().toUtf8().constData(), &db,
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    const QByteArray header =
        (QStringLiteral("SELECT * FROM VIEW_DOC1 WHERE RECID=") + QString::number(invoice_id)).toUtf8();
    const QByteArray items =
        (QStringLiteral("SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=") + QString::number(invoice_id))
            .toUtf8();
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        for (const QByteArray &select : {header, items}) {
            sqlite3_stmt *statement = nullptr;
            sqlite3_prepare_v2(db, select.constData(), -1, &statement, nullptr);
            const int columns = sqlite3_column_count(statement);
            while (sqlite3_step(statement) == SQLITE_ROW)
                for (int c = 0; c < columns; ++c)
                    benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
            sqlite3_finalize(statement);
        }
    }
    floor_open_ns = double(timer.nsecsElapsed()) / double(state.iterations());
    sqlite3_close(db);
}

} // namespace

BENCHMARK(raw_save)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(document_save)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(raw_opening)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(editor_opening)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    DemoSize size;
    size.documents = 100000;
    size.journal_entries = 20000;
    const QString kept = qEnvironmentVariable("TALLYRA_BENCH_DB");
    BenchDatabase db(kept.isEmpty() ? dir.filePath("bench.db") : kept, size);
    if (!db.ok())
        return 1;
    database = &db;
    if (!store_invoice(db.api())) {
        std::fprintf(stderr, "the invoice of %d items could not be stored\n", items_per_invoice);
        return 1;
    }
    std::printf("documents: %d, items of the invoice: %d\n",
                db.api().count_rows(QStringLiteral("DOC_HEAD")),
                db.api().count_rows(QStringLiteral("DOC_ITEMS"),
                                    QStringLiteral("HEADER_ID=") + QString::number(invoice_id)));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
