// The partners window on 20 000 partners with three addresses each: opening it, and moving
// through 1 000 partners with the Down key, where every change of partner reloads the
// three detail sets and rebuilds the tree.  The floor is the three selects of the same
// partners stepped and read by SQLite alone, in the same run.

#include "bench_database.h"
#include "grid_moves.h"

#include "masterdata/partner_details.h"
#include "masterdata/ui/fpar.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

namespace {

const int partners = 20000;
const int moves = 1000;
const int runs = 5;

// The demo gives each partner one address; two more make three.
bool add_addresses(TdbAPI &api)
{
    return api.exec_sql(QStringLiteral(
        "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, ADDRESS, CITY) "
        "SELECT 500000000 + P.RECID * 2 + K.N, P.RECID, 'F', 'provozovna ' || K.N, "
        "'Dlouhá ' || K.N, 'Brno' FROM PAR P, (SELECT 0 AS N UNION ALL SELECT 1) K"));
}

// The same three selects, as the window writes them, for the same partners.
double raw_details(const QString &path, const std::vector<int> &ids)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                    nullptr);
    QElapsedTimer timer;
    timer.start();
    for (int id : ids) {
        for (PartnerDetail detail :
             {PartnerDetail::Address, PartnerDetail::Contact, PartnerDetail::Bank}) {
            const QByteArray sql = partner_detail_select(detail, id).toUtf8();
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
    }
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
    size.partners = partners;
    size.documents = 2000;
    size.journal_entries = 2000;
    BenchDatabase db(dir.filePath(QStringLiteral("partners.db")), size);
    if (!db.ok() || !add_addresses(db.api()))
        return 1;
    std::printf("partners: %d, addresses: %d\n", db.api().count_rows(QStringLiteral("PAR")),
                db.api().count_rows(QStringLiteral("PAR_ADDR")));

    std::vector<double> opening, moving, floor, grid_alone;
    std::vector<int> ids;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        TfPar window;
        window.resize(1000, 700);
        window.show();
        QApplication::processEvents();
        opening.push_back(timer.nsecsElapsed() / 1e6);
        window.grid()->setFocus();
        moving.push_back(move_down(*window.grid(), moves));
        if (ids.empty()) {
            TMemTable *set = window.partners();
            for (int row = 2; row <= moves + 1; ++row) {
                set->set_row_number(row);
                ids.push_back(db.api().current_recid(set));
            }
        }
        floor.push_back(raw_details(db.path(), ids));
        // A set of its own: the window's set would move the window along.
        TMemTable *alone =
            db.api().select_sql(QStringLiteral("VIEW_PAR"),
                                QStringLiteral("SELECT * FROM VIEW_PAR ORDER BY PARTNER_NO"));
        grid_alone.push_back(bare_grid_move(alone, window.grid()->size(), moves));
        db.api().free_set(alone);
    }
    const double ours = median(moving);
    std::printf("opening the window: %.0f ms (median of %d)\n", median(opening), runs);
    std::printf("per partner change (three detail sets and the tree): %.3f ms\n", ours);
    std::printf(
        "floor, the three raw selects stepped and read: %.3f ms -> ratio %.2f (goal <= 2)\n",
        median(floor), ours / median(floor));
    std::printf("of which the grid's own move, a bare grid of the window's size over the "
                "partners: %.3f ms\n",
                median(grid_alone));
    return 0;
}
