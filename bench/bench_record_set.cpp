// Loading 200 000 cash-journal rows into a record set, against stepping the same select
// with SQLite alone; and sorting the loaded set.

#include "bench_database.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

const char *const journal_select = "SELECT * FROM VIEW_TE";

BenchDatabase *database = nullptr;

size_t value_bytes(const TMemTable &set)
{
    size_t bytes = 0;
    for (int row = 0; row < set.record_count(); ++row)
        for (int c = 0; c < set.field_count(); ++c) {
            if (set.cell_is_null(row, c))
                continue;
            switch (set.field(c).type()) {
            case FieldType::Integer:
                bytes += 4;
                break;
            case FieldType::Float:
            case FieldType::DateTime:
                bytes += 8;
                break;
            case FieldType::Text:
                bytes += set.cell_text(row, c).toUtf8().size();
                break;
            }
        }
    return bytes;
}

void select_sql(benchmark::State &state)
{
    int rows = 0;
    for (auto _ : state) {
        TMemTable *set = database->api().select_sql("TE", journal_select);
        rows = set->record_count();
        state.PauseTiming();
        if (state.iterations() == 0) {
            const double memory = double(set->memory_bytes());
            const double values = double(value_bytes(*set));
            state.counters["set_bytes"] = memory;
            state.counters["value_bytes"] = values;
            state.counters["bytes_ratio"] = memory / values;
        }
        database->api().free_set(set);
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

// The floor: the same select stepped by SQLite alone, values left unread.
void raw_step(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database->path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    int rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, journal_select, -1, &statement, nullptr);
        rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW)
            ++rows;
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    state.counters["rows"] = rows;
}

// A second floor: SQLite stepping and handing out every value.
void raw_step_read(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database->path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, journal_select, -1, &statement, nullptr);
        const int columns = sqlite3_column_count(statement);
        while (sqlite3_step(statement) == SQLITE_ROW)
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(statement, c) == SQLITE_TEXT)
                    benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
                else
                    benchmark::DoNotOptimize(sqlite3_column_double(statement, c));
            }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
}

void sort_set(benchmark::State &state)
{
    TMemTable *set = database->api().select_sql("TE", journal_select);
    for (auto _ : state) {
        state.PauseTiming();
        database->api().sort_set(set, "RECID", true); // a different order before each sort
        state.ResumeTiming();
        database->api().sort_set(set, "DATE_D;RECID", false);
    }
    database->api().free_set(set);
}

} // namespace

BENCHMARK(raw_step)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(raw_step_read)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(select_sql)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(sort_set)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    DemoSize size;
    size.documents = 2000;
    size.journal_entries = 198500;
    // TALLYRA_BENCH_DB names a database to make once and reuse, e.g. while profiling.
    const QString kept = qEnvironmentVariable("TALLYRA_BENCH_DB");
    BenchDatabase db(kept.isEmpty() ? dir.filePath("bench.db") : kept, size);
    if (!db.ok())
        return 1;
    database = &db;
    std::printf("VIEW_TE rows: %d\n", db.api().count_rows("VIEW_TE"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
