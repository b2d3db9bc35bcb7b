// The journal of one year of 100 000 entries, from the command to its first page shown
// (its select, the year filter and the sort of the record set, template te, every page
// prepared and the first one painted), against SQLite stepping the raw select of VIEW_TE;
// and the summary's five selects with its preparation and first page against the five raw
// selects.  Closing the preview afterwards is not part of either figure.

#include "bench_database.h"
#include "data/app_paths.h"
#include "data/clock.h"
#include "engine/painter_replay.h"
#include "reports/preview_report.h"
#include "reports/report_preparation.h"
#include "reports/summary_report.h"
#include "text/format_settings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

namespace {

BenchDatabase *database = nullptr;
int journal_year = 0;

// Milliseconds of every iteration of this run, for the ratios.
std::vector<double> raw_journal_ms, journal_report_ms, raw_summary_ms, summary_report_ms;

// What the user has in front of him once the preview shows its first page.
struct ShownReport {
    std::unique_ptr<PreviewReport> preview = std::make_unique<PreviewReport>();
    PreparedReport prepared;
};

// The first page painted as the preview paints it at 100 %: a page at the screen's
// resolution.
void paint_first_page(const PreparedReport &prepared)
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    benchmark::DoNotOptimize(render_page(prepared, 0, dpi).constBits());
}

// Times `show` per iteration and leaves out tearing down what it showed.
template <typename Show>
void time_shown(benchmark::State &state, std::vector<double> &samples, Show &&show)
{
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        {
            const ShownReport shown = show();
            samples.push_back(double(timer.nsecsElapsed()) / 1e6);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

// The median of these iterations against the floor's median, both of this run.
void report_ratio(benchmark::State &state, const std::vector<double> &samples,
                  const std::vector<double> &floor)
{
    if (!samples.empty() && !floor.empty())
        state.counters["x_raw"] = median(samples) / median(floor);
}

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

template <typename Steps>
void raw_selects(benchmark::State &state, std::vector<double> &samples, Steps &&steps)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database->path().toUtf8().constData(), &db,
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        steps(db);
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    sqlite3_close(db);
}

void raw_journal(benchmark::State &state)
{
    raw_selects(state, raw_journal_ms,
                [](sqlite3 *db) { step_raw(db, QStringLiteral("SELECT * FROM VIEW_TE")); });
}

void journal_report(benchmark::State &state)
{
    TdbAPI &api = database->api();
    int pages = 0;
    std::vector<double> samples;
    time_shown(state, samples, [&] {
        const DecimalPointGuard point;
        ShownReport shown;
        PreviewReport &preview = *shown.preview;
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
        shown.prepared = preview.prepare();
        paint_first_page(shown.prepared);
        pages = int(shown.prepared.pages.size());
        return shown;
    });
    journal_report_ms.insert(journal_report_ms.end(), samples.begin(), samples.end());
    state.counters["pages"] = pages;
    report_ratio(state, samples, raw_journal_ms);
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
    raw_selects(state, raw_summary_ms, [](sqlite3 *db) {
        for (const SummarySet &set : summary_sets())
            step_raw(db, set.select);
    });
}

void summary_report(benchmark::State &state)
{
    TdbAPI &api = database->api();
    std::vector<double> samples;
    time_shown(state, samples, [&] {
        const DecimalPointGuard point;
        ShownReport shown;
        PreviewReport &preview = *shown.preview;
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
        shown.prepared = preview.prepare();
        paint_first_page(shown.prepared);
        return shown;
    });
    summary_report_ms.insert(summary_report_ms.end(), samples.begin(), samples.end());
    report_ratio(state, samples, raw_summary_ms);
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
    journal_year = db.api().count_rows(QStringLiteral("VIEW_YEARS")) > 0 ? today().year() : 0;
    std::printf("VIEW_TE rows: %d\n", db.api().count_rows(QStringLiteral("VIEW_TE")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Medians over every iteration of every repetition of this run.
    if (!journal_report_ms.empty() && !raw_journal_ms.empty())
        std::printf("journal report to its first page: %.0f ms; raw select of VIEW_TE: %.0f ms "
                    "-> ratio %.2f (goal <= 3)\n",
                    median(journal_report_ms), median(raw_journal_ms),
                    median(journal_report_ms) / median(raw_journal_ms));
    if (!summary_report_ms.empty() && !raw_summary_ms.empty())
        std::printf("summary to its first page: %.0f ms; its five raw selects: %.0f ms "
                    "-> ratio %.2f (goal <= 2)\n",
                    median(summary_report_ms), median(raw_summary_ms),
                    median(summary_report_ms) / median(raw_summary_ms));
    return 0;
}
