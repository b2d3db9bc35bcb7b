// Loading 200 000 cash-journal rows into a record set, against stepping the same select
// with SQLite alone and against QSqlQuery over the same file; and sorting the loaded set,
// against std::sort of the same keys in a plain vector.  The ratios of the same run are
// printed at the end, one line each: "ratio A/B value [goal G]".

#include "bench_database.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <limits>
#include <map>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

const char *const journal_select = "SELECT * FROM VIEW_TE";

BenchDatabase *database = nullptr;
double set_bytes_ratio = 0.0;

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
            set_bytes_ratio = memory / values;
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

// The peer a Qt developer would write: a forward-only QSqlQuery over the same file, every
// value kept in a QVariant vector.
void qsqlquery(benchmark::State &state)
{
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peer"));
        db.setDatabaseName(database->path());
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            state.SkipWithError("QSQLITE cannot open the database");
            return;
        }
        for (auto _ : state) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.exec(QString::fromLatin1(journal_select));
            const int columns = query.record().count();
            std::vector<QVariant> values;
            while (query.next())
                for (int c = 0; c < columns; ++c)
                    values.push_back(query.value(c));
            benchmark::DoNotOptimize(values.data());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peer"));
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

// The floor of the sort: the same keys, in the same order before each sort, in a plain
// vector sorted by std::sort.
void std_sort(benchmark::State &state)
{
    struct Key {
        double date;
        int recid;
    };
    TMemTable *set = database->api().select_sql("TE", journal_select);
    database->api().sort_set(set, "RECID", true);
    const TField &date = set->field_by_name("DATE_D");
    const TField &recid = set->field_by_name("RECID");
    std::vector<Key> unsorted;
    for (set->first(); !set->eof(); set->next())
        unsorted.push_back({date.is_null() ? -std::numeric_limits<double>::infinity()
                                           : date.as_datetime(),
                            recid.as_integer()});
    database->api().free_set(set);
    std::vector<Key> keys;
    for (auto _ : state) {
        state.PauseTiming();
        keys = unsorted;
        state.ResumeTiming();
        std::sort(keys.begin(), keys.end(), [](const Key &a, const Key &b) {
            return a.date != b.date ? a.date < b.date : a.recid < b.recid;
        });
        benchmark::DoNotOptimize(keys.data());
    }
}

// Keeps each benchmark's time per iteration for the ratios printed after the run.  CPU time:
// on a machine shared with other work, the wall clock also counts the waits for a core.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Without colours, so that the ratio lines after the table start with "ratio".
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (!run.error_occurred)
                times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }

    void print_ratio(const std::string &figure, const std::string &floor, double goal) const
    {
        const auto a = times.find(figure);
        const auto b = times.find(floor);
        if (a == times.end() || b == times.end())
            return;
        print_value(figure + "/" + floor, a->second / b->second, goal);
    }

    static void print_value(const std::string &name, double value, double goal)
    {
        if (goal > 0)
            std::printf("ratio %s %.2f goal %.2f\n", name.c_str(), value, goal);
        else
            std::printf("ratio %s %.2f\n", name.c_str(), value);
    }

    std::map<std::string, double> times;
};

} // namespace

BENCHMARK(raw_step)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(raw_step_read)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(select_sql)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(qsqlquery)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(sort_set)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(std_sort)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.print_ratio("select_sql", "raw_step_read", 1.3);
    reporter.print_ratio("select_sql", "raw_step", 0);
    reporter.print_ratio("qsqlquery", "raw_step_read", 0);
    reporter.print_ratio("qsqlquery", "select_sql", 0);
    reporter.print_ratio("sort_set", "std_sort", 1.5);
    if (set_bytes_ratio > 0)
        RatioReporter::print_value("set_bytes/value_bytes", set_bytes_ratio, 1.3);
    benchmark::Shutdown();
    return 0;
}
