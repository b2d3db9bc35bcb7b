#include "calc/user_calc.h"

#include "data/db_api.h"
#include "data/messages.h"
#include "text/format_settings.h"

namespace {

constexpr int help_delete_calculator = 410;

QString flag(bool on)
{
    return on ? QStringLiteral("T") : QStringLiteral("F");
}

} // namespace

TMemTable *select_calculators()
{
    return dbAPI->select_sql(QStringLiteral("USER_CALC"),
                             QStringLiteral("SELECT * FROM USER_CALC"));
}

std::vector<CalcChoice> public_calculators()
{
    std::vector<CalcChoice> choices;
    const ScopedSet set = dbAPI->select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT CALC_NAME, FORMULA FROM USER_CALC "
                                            "WHERE IS_CALC_PUBLIC='T' ORDER BY RECID"));
    if (!set)
        return choices;
    for (int row = 0; row < set->record_count(); ++row)
        choices.push_back({set->cell_text(row, 0), set->cell_text(row, 1)});
    return choices;
}

QString new_calculator_template()
{
    return QStringLiteral(";nový uživatelský kalkulátor\r\n"
                          "title:  ;vložte titulek kalkulátoru\r\n"
                          "\r\n"
                          "var\r\n"
                          ";seznam hodnot, např. x: \"zadej číslo\"\r\n"
                          "\r\n"
                          "formula\r\n"
                          ";zde napište vzorec\r\n");
}

bool calculator_can_be_saved(const QString &name, const QString &script)
{
    return !name.isEmpty() && !script.isEmpty();
}

int save_calculator(const CalcRecord &calculator)
{
    TdbAPI &api = *dbAPI;
    const int recid = calculator.recid != 0 ? calculator.recid : api.new_recid();
    // Without an id on a writable database the program is ending already; on a read-only
    // one the write below is refused with the reason.
    if (recid == 0 && !api.read_only)
        return 0;
    // One statement for both: a calculator that vanished while it was being edited is
    // stored again rather than its script lost.
    const bool saved = api.exec_sql(
        QStringLiteral("INSERT INTO USER_CALC (RECID, CALC_NAME, FORMULA, IS_CALC_PUBLIC) "
                       "VALUES (%1, %2, %3, %4) ON CONFLICT (RECID) DO UPDATE SET "
                       "CALC_NAME=excluded.CALC_NAME, FORMULA=excluded.FORMULA, "
                       "IS_CALC_PUBLIC=excluded.IS_CALC_PUBLIC")
            .arg(QString::number(recid), sql_quote(calculator.name), sql_quote(calculator.script),
                 sql_quote(flag(calculator.is_public))));
    return saved ? recid : 0;
}

int delete_calculator(TMemTable *set)
{
    if (!set || set->is_empty())
        return 0;
    const int recid = dbAPI->current_recid(set);
    if (recid == 0)
        return 0;
    if (show_message(QStringLiteral("Pozor!"),
                     QStringLiteral("Opravdu chcete vymazat vybraný kalkulátor?"),
                     mbYesNo | mbIconWarning | mbDefaultNo, false, help_delete_calculator) != mrYes)
        return 0;
    if (!dbAPI->exec_sql(QStringLiteral("DELETE FROM USER_CALC WHERE RECID=%1").arg(recid)))
        return 0;
    set->remove();
    return recid;
}
