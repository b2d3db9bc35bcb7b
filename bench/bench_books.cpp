// The book of issued invoices on 100 000 documents with 150 000 payments: opening it, and
// moving down through 1 000 documents with the payments page shown, where every change of
// document loads its payments and the amount still to pay.  The floors, in the same run, are
// the raw select of the book's view and the raw payments select of the same documents,
// stepped and read by SQLite alone.

#include "bench_database.h"

#include "documents/ui/fdoc.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

namespace {

const int documents = 100000;
const int payments = 150000;
const int moves = 1000;
const int runs = 5;

// The demo pays most documents once and some in two parts; one more small payment for
// as many documents as are needed brings the journal to `payments` document payments.
bool add_payments(TdbAPI &api)
{
    const int missing =
        payments - api.count_rows(QStringLiteral("TE"), QStringLiteral("DOC_ID <> 0"));
    if (missing <= 0)
        return true;
    return api.exec_sql(
        QStringLiteral("INSERT INTO TE (RECID, DOC_ID, DATE_D, TE_TEXT, ORIGIN_CURR, INCOME, "
                       "OUTCOME) SELECT 900000000 + RECID, RECID, DATE_D, 'záloha', CURR_NAME, "
                       "CASE WHEN ID_DOC_TYPE IN (1, 4) THEN 1 ELSE 0 END, "
                       "CASE WHEN ID_DOC_TYPE IN (1, 4) THEN 0 ELSE 1 END "
                       "FROM DOC_HEAD ORDER BY RECID LIMIT %1")
            .arg(missing));
}

// Steps the select and reads every column, as a record set would.
void step_all(sqlite3 *db, const QByteArray &sql)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c)
            if (sqlite3_column_type(statement, c) == SQLITE_TEXT)
                (void)sqlite3_column_text(statement, c);
            else
                (void)sqlite3_column_double(statement, c);
    sqlite3_finalize(statement);
}

sqlite3 *open_raw(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                    nullptr);
    return db;
}

double raw_book(const QString &path)
{
    sqlite3 *db = open_raw(path);
    QElapsedTimer timer;
    timer.start();
    step_all(db, "SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO");
    const double ms = timer.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return ms;
}

double raw_payments(const QString &path, const std::vector<int> &ids)
{
    sqlite3 *db = open_raw(path);
    QElapsedTimer timer;
    timer.start();
    for (int id : ids)
        step_all(db, QStringLiteral("SELECT RECID, DATE_D, INCOME, ORIGIN_CURR, MNAME FROM "
                                    "VIEW_PAYMENTS WHERE DOC_ID=%1")
                         .arg(id)
                         .toUtf8());
    const double ms = timer.nsecsElapsed() / 1e6 / double(ids.size());
    sqlite3_close(db);
    return ms;
}

// Milliseconds per document for `moves` Down keys from the first document.
double move_through(TfDoc &window)
{
    window.record_set()->first();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < moves; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(window.grid(), &press);
    }
    return timer.nsecsElapsed() / 1e6 / moves;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    DemoSize size;
    size.partners = 2000;
    size.documents = documents;
    size.journal_entries = 2000;
    BenchDatabase db(dir.filePath(QStringLiteral("books.db")), size);
    if (!db.ok() || !add_payments(db.api()))
        return 1;
    std::printf("documents: %d, issued invoices: %d, document payments: %d\n",
                db.api().count_rows(QStringLiteral("DOC_HEAD")),
                db.api().count_rows(QStringLiteral("DOC_HEAD"), QStringLiteral("ID_DOC_TYPE = 1")),
                db.api().count_rows(QStringLiteral("TE"), QStringLiteral("DOC_ID <> 0")));

    std::vector<double> opening, opening_floor, moving, moving_floor;
    std::vector<int> ids;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        TfDoc window(1);
        window.resize(1100, 700);
        window.show();
        QApplication::processEvents();
        opening.push_back(timer.nsecsElapsed() / 1e6);
        opening_floor.push_back(raw_book(db.path()));

        window.pages()->setCurrentIndex(TfDoc::PaymentsPage);
        window.grid()->setFocus();
        moving.push_back(move_through(window));
        if (ids.empty()) {
            TMemTable *set = window.record_set();
            for (int row = 2; row <= moves + 1; ++row) {
                set->set_row_number(row);
                ids.push_back(db.api().current_recid(set));
            }
        }
        moving_floor.push_back(raw_payments(db.path(), ids));
    }
    const double open_ms = median(opening);
    const double open_floor = median(opening_floor);
    const double move_ms = median(moving);
    const double move_floor = median(moving_floor);
    std::printf("opening the book: %.0f ms; floor, raw select of VIEW_DOC1 stepped and read: "
                "%.0f ms -> ratio %.2f (goal <= 1.5)\n",
                open_ms, open_floor, open_ms / open_floor);
    std::printf("per document change (payments and amount still to pay): %.3f ms; floor, raw "
                "payments select: %.3f ms -> ratio %.2f (goal <= 2)\n",
                move_ms, move_floor, move_ms / move_floor);
    return 0;
}
