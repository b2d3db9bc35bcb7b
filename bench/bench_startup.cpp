// Start-up to the first painted main window on a demo database of 100 000 journal entries,
// with a book grid over a 200 000-row record set open; against the raw select of the same
// rows by SQLite alone (the floor).  Start-up happens once per run of the program, so it is
// timed directly, a few times over, and the median printed.

#include "bench_database.h"

#include "app/fmain.h"
#include "data/settings.h"
#include "data/setup_keys.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

namespace {

// The journal twice: 200 000 rows from 100 000 entries.
const char *const grid_select = "SELECT * FROM VIEW_TE UNION ALL SELECT * FROM VIEW_TE";

class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

double start_up_once()
{
    QElapsedTimer timer;
    timer.start();
    Tfm_main window;
    window.show_as_configured();
    auto *book = new QWidget;
    book->setWindowTitle(QStringLiteral("Daňová evidence"));
    auto *grid = new TDBGrid(book);
    (new QVBoxLayout(book))->addWidget(grid);
    TMemTable *set = dbAPI->select_sql(QStringLiteral("VIEW_TE"), QString::fromLatin1(grid_select));
    grid->set_table(set);
    PaintWatch watch;
    grid->viewport()->installEventFilter(&watch);
    window.add_child_window(book)->showMaximized();
    while (!watch.painted)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = timer.nsecsElapsed() / 1e6;
    grid->viewport()->removeEventFilter(&watch);
    grid->set_table(nullptr);
    dbAPI->free_set(set);
    return ms;
}

double raw_select(const QString &path, bool read_values)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, grid_select, -1, &statement, nullptr);
    const int columns = sqlite3_column_count(statement);
    volatile double sink = 0;
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int c = 0; read_values && c < columns; ++c)
            sink = sink + (sqlite3_column_type(statement, c) == SQLITE_TEXT
                               ? double(sqlite3_column_bytes(statement, c))
                               : sqlite3_column_double(statement, c));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString kept = qEnvironmentVariable("TALLYRA_BENCH_STARTUP_DB");
    const QString path = kept.isEmpty() ? dir.filePath(QStringLiteral("startup.db")) : kept;
    {
        DemoSize size;
        size.journal_entries = 100000 - 1600; // document payments make up the rest
        BenchDatabase db(path, size);
        if (!db.ok())
            return 1;
        std::printf("journal entries: %d\n", db.api().count_rows(QStringLiteral("TE")));
    }
    IniFile settings = settings_file();
    settings.write_bool(setup::section, setup::wizard, false);
    settings.write_int(setup::section, setup::auto_run, setup::arNothing);

    const int runs = 5;
    std::vector<double> start_up, floor_read, floor_step;
    for (int i = 0; i < runs; ++i) {
        start_up.push_back(start_up_once());
        floor_read.push_back(raw_select(path, true));
        floor_step.push_back(raw_select(path, false));
    }
    const double ours = median(start_up);
    std::printf("start-up to first painted grid of 200 000 rows: %.0f ms (median of %d)\n", ours,
                runs);
    std::printf("floor, raw select stepped and read: %.0f ms -> ratio %.2f\n", median(floor_read),
                ours / median(floor_read));
    std::printf("floor, raw select stepped only:     %.0f ms -> ratio %.2f\n", median(floor_step),
                ours / median(floor_step));
    // The same ratios once more, one a line, for scripts.
    std::printf("ratio start_up/raw_select_read %.2f goal 1.50\n", ours / median(floor_read));
    std::printf("ratio start_up/raw_select_step %.2f\n", ours / median(floor_step));
    return 0;
}
