// The tax-records book on 100 000 entries: opening it (the select, the grid, the sort by
// date as at opening, the first row current and its details shown) against SQLite stepping
// the raw select of VIEW_TE in the same run, with the record set's own load between them;
// and saving a payment while the book is open, from the editor's OK to the row re-read into
// the book's set.  On a busy machine compare the CPU column.

#include "bench_database.h"
#include "data/demo_data.h"
#include "data/memtable.h"
#include "taxrecords/ui/fte.h"
#include "taxrecords/ui/ftedit.h"
#include "taxrecords/ui/journal_operations.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/window_host.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

BenchDatabase *database = nullptr;

void raw_view_te(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database->path().toUtf8().constData(), &db,
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM VIEW_TE", -1, &statement, nullptr);
        const int columns = sqlite3_column_count(statement);
        while (sqlite3_step(statement) == SQLITE_ROW)
            for (int c = 0; c < columns; ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
}

// The record set alone, as the data module loads it: what the book adds is the rest.
void select_view_te(benchmark::State &state)
{
    for (auto _ : state) {
        TMemTable *set = database->api().select_sql(QStringLiteral("VIEW_TE"),
                                                    QStringLiteral("SELECT * FROM VIEW_TE"));
        database->api().free_set(set);
    }
}

void open_book(benchmark::State &state)
{
    int rows = 0;
    for (auto _ : state) {
        TfTE book;
        book.resize(1200, 800);
        book.show();
        QApplication::processEvents();
        rows = book.record_set()->record_count();
    }
    state.counters["rows"] = rows;
}

// The main window's part a payment asks for: the open book's grid.
class BookHost : public WindowHost {
public:
    QPointer<TfTE> book;
    QObject *find_child_component(const QString &key, const QString &name) const override
    {
        return book && key == QLatin1String("TE") ? book->findChild<QObject *>(name) : nullptr;
    }
};

// Pays 100 of the proposal in the next entry editor as soon as it shows, so that the
// document is never paid in full within a run.
void confirm_next_editor()
{
    QTimer::singleShot(0, qApp, [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *editor = qobject_cast<TfTeEdit *>(window); editor && editor->isVisible()) {
                editor->income_edit()->set_value(100);
                editor->ok_button()->click();
                return;
            }
        confirm_next_editor();
    });
}

void save_payment_with_book_open(benchmark::State &state)
{
    TdbAPI &api = database->api();
    // A document large enough for every payment of the run.
    api.exec_sql(QStringLiteral("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, "
                                "DOC_TITLE, ALL_SUM, ROUND_SUM) VALUES (990000001, 1, 990001, "
                                "'2026-01-01', 'bench', 1e9, 1e9)"));
    // Paid to the firm's first account, so that the proposed payment is complete.
    api.exec_sql(QStringLiteral("INSERT INTO DOC_DRS1 (RECID, ID_BANK) SELECT 990000001, "
                                "MIN(RECID) FROM CONF_BANKCASH"));
    TfTE book;
    book.show();
    BookHost host;
    host.book = &book;
    const ScopedWindowHost installed(host);
    for (auto _ : state) {
        confirm_next_editor();
        benchmark::DoNotOptimize(edit_payment(990000001, 0));
    }
    state.counters["rows"] = book.record_set()->record_count();
}

} // namespace

BENCHMARK(raw_view_te)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(select_view_te)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(open_book)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(save_payment_with_book_open)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    DemoSize size;
    size.journal_entries = 100000;
    const QString kept = qEnvironmentVariable("TALLYRA_BENCH_DB");
    BenchDatabase db(kept.isEmpty() ? dir.filePath("journal.db") : kept, size);
    if (!db.ok())
        return 1;
    database = &db;
    std::printf("VIEW_TE rows: %d\n", db.api().count_rows(QStringLiteral("VIEW_TE")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
