// The journal of one year of 100 000 entries, from its select to prepared pages (template
// te, the year filter and the sort of the record set), against SQLite stepping the raw
// select of VIEW_TE; and the summary's five selects with its preparation against the five
// raw selects.

#include "bench_database.h"
#include "data/app_paths.h"
#include "data/clock.h"
#include "reports/preview_report.h"
#include "reports/report_preparation.h"
#include "reports/summary_report.h"
#include "text/format_settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

BenchDatabase *database = nullptr;
int journal_year = 0;

void step_raw(sqlite3 *db, const QString &select)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, select.toUtf8().constData(), -1, &statement, nullptr);
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
    sqlite3_finalize(statement);
}

template <typename Steps> void raw_selects(benchmark::State &state, Steps &&steps)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database->path().toUtf8().constData(), &db,
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    for (auto _ : state)
        steps(db);
    sqlite3_close(db);
}

void raw_journal(benchmark::State &state)
{
    raw_selects(state, [](sqlite3 *db) { step_raw(db, QStringLiteral("SELECT * FROM VIEW_TE")); });
}

void journal_report(benchmark::State &state)
{
    TdbAPI &api = database->api();
    int pages = 0;
    for (auto _ : state) {
        const DecimalPointGuard point;
        PreviewReport preview;
        preview.open_conf_address();
        load_report_template(preview.report(), QStringLiteral("te"));
        TMemTable *journal =
            api.select_sql(QStringLiteral("repo_TE"), QStringLiteral("SELECT * FROM VIEW_TE"));
        preview.take_set(journal);
        api.filter_year(journal, QStringLiteral("DATE_D"), journal_year);
        api.sort_set(journal, QStringLiteral("DATE_D;RECID"), false);
        write_report_footer(preview.report());
        preview.register_conf_address();
        preview.register_set(journal);
        pages = int(preview.prepare().pages.size());
    }
    state.counters["pages"] = pages;
}

// The record-set part of the journal report alone: what the preparation adds is the rest.
void journal_set(benchmark::State &state)
{
    TdbAPI &api = database->api();
    for (auto _ : state) {
        TMemTable *journal =
            api.select_sql(QStringLiteral("repo_TE"), QStringLiteral("SELECT * FROM VIEW_TE"));
        api.filter_year(journal, QStringLiteral("DATE_D"), journal_year);
        api.sort_set(journal, QStringLiteral("DATE_D;RECID"), false);
        api.free_set(journal);
    }
}

void raw_summary(benchmark::State &state)
{
    raw_selects(state, [](sqlite3 *db) {
        for (const SummarySet &set : summary_sets())
            step_raw(db, set.select);
    });
}

void summary_report(benchmark::State &state)
{
    TdbAPI &api = database->api();
    for (auto _ : state) {
        const DecimalPointGuard point;
        PreviewReport preview;
        preview.open_conf_address();
        load_report_template(preview.report(), QStringLiteral("summary"));
        std::vector<TMemTable *> sets;
        for (const SummarySet &summary : summary_sets()) {
            sets.push_back(api.select_sql(summary.name, summary.select));
            preview.take_set(sets.back());
        }
        write_summary_sums(preview.report(), sets.front());
        preview.register_conf_address();
        for (TMemTable *set : sets)
            preview.register_set(set);
        benchmark::DoNotOptimize(preview.prepare().pages.size());
    }
}

} // namespace

BENCHMARK(raw_journal)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(journal_set)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(journal_report)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(raw_summary)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(summary_report)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    DemoSize size;
    size.journal_entries = 100000;
    size.years = 1;
    const QString kept = qEnvironmentVariable("TALLYRA_BENCH_DB");
    BenchDatabase db(kept.isEmpty() ? dir.filePath("bench.db") : kept, size);
    if (!db.ok())
        return 1;
    database = &db;
    // The templates beside the executable the benchmark pretends to be.
    QDir(dir.path()).mkpath(QStringLiteral("Lib"));
    for (const char *name : {"te", "summary"})
        QFile::copy(QStringLiteral(TALLYRA_REPORT_TEMPLATES "/%1.frf").arg(QLatin1String(name)),
                    dir.filePath(QStringLiteral("Lib/%1.frf").arg(QLatin1String(name))));
    set_app_exe_path(dir.filePath(QStringLiteral("tallyra")));
    journal_year = db.api().count_rows(QStringLiteral("VIEW_YEARS")) > 0
                       ? today().year()
                       : 0;
    std::printf("VIEW_TE rows: %d\n", db.api().count_rows(QStringLiteral("VIEW_TE")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
