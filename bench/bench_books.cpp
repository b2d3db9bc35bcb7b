// The book of issued invoices on 100 000 documents with 150 000 payments (the demo's received
// invoices issued instead, so the book holds most of them): opening it, and
// moving down through 1 000 documents with the payments page shown, where every change of
// document loads its payments and the amount still to pay.  The floors, in the same run, are
// the raw select of the book's view and the raw payments select of the same documents,
// stepped and read by SQLite alone.
//
//     bench_books [DATABASE]

#include "bench_database.h"
#include "grid_moves.h"

#include "documents/ui/fdoc.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QElapsedTimer>
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

// The demo firm mostly buys; its received invoices become issued ones (with their payment
// details and payments turned round), so that the book of issued invoices holds most of the
// documents.
bool issue_received_invoices(TdbAPI &api)
{
    if (api.count_rows(QStringLiteral("DOC_HEAD"), QStringLiteral("ID_DOC_TYPE = 2")) == 0)
        return true;
    for (const char *statement :
         {"UPDATE TE SET INCOME = OUTCOME, OUTCOME = 0 WHERE DOC_ID IN "
          "(SELECT RECID FROM DOC_HEAD WHERE ID_DOC_TYPE = 2)",
          "INSERT INTO DOC_DRS1 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) "
          "SELECT RECID, VAR_S, CONST_S, 0, ID_BANK FROM DOC_DRS2",
          "DELETE FROM DOC_DRS2",
          "UPDATE DOC_HEAD SET ID_DOC_TYPE = 1, DOC_NO = DOC_NO + 500000 WHERE ID_DOC_TYPE = 2"})
        if (!api.exec_sql(QLatin1String(statement)))
            return false;
    return true;
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
    // A database named on the command line is made once and reused by later runs.
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("books.db"));
    BenchDatabase db(path, size);
    if (!db.ok() || !issue_received_invoices(db.api()) || !add_payments(db.api()))
        return 1;
    std::printf("documents: %d, issued invoices: %d, document payments: %d\n",
                db.api().count_rows(QStringLiteral("DOC_HEAD")),
                db.api().count_rows(QStringLiteral("DOC_HEAD"), QStringLiteral("ID_DOC_TYPE = 1")),
                db.api().count_rows(QStringLiteral("TE"), QStringLiteral("DOC_ID <> 0")));

    std::vector<double> opening, opening_floor, moving, moving_floor, grid_alone;
    std::vector<int> ids;
    QSize grid_size;
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
        grid_size = window.grid()->size();
        moving.push_back(move_down(*window.grid(), moves));
        if (ids.empty()) {
            TMemTable *set = window.record_set();
            for (int row = 2; row <= moves + 1; ++row) {
                set->set_row_number(row);
                ids.push_back(db.api().current_recid(set));
            }
        }
        moving_floor.push_back(raw_payments(db.path(), ids));
    }
    // A set of its own: the book's set would move the book along.
    TMemTable *alone = db.api().select_sql(
        QStringLiteral("VIEW_DOC"), QStringLiteral("SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO"));
    for (int run = 0; run < runs; ++run)
        grid_alone.push_back(bare_grid_move(alone, grid_size, moves));
    db.api().free_set(alone);
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
    std::printf("of which the grid's own move, a bare grid over the same set: %.3f ms\n",
                median(grid_alone));
    return 0;
}
