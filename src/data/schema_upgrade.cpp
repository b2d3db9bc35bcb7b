#include "data/db_api.h"
#include "data/db_transaction.h"
#include "data/messages.h"

// Objects added to databases made before they existed.  The statements keep their line
// breaks: the trigger's line comments end at them.

namespace {

const char *const create_te_cash =
    "CREATE TABLE TE_CASH (\r\n"
    "RECID INTEGER NOT NULL PRIMARY KEY,\r\n"
    "TE_ID INTEGER NOT NULL,\r\n"
    "IS_INCOME VARCHAR(1) NOT NULL,\r\n"
    "CASH_NO INTEGER NOT NULL,\r\n"
    "DATE_D DATE,\r\n"
    "TXT VARCHAR(64),\r\n"
    "PAR_NAME VARCHAR(64),\r\n"
    "PAR_ADDRESS VARCHAR(64));";

const char *const create_view_te_cash =
    "CREATE VIEW VIEW_TE_CASH AS \r\n"
    "SELECT \r\n"
    " TE_CASH.RECID RECID, \r\n"
    " TE_CASH.TE_ID TE_ID, \r\n"
    " TE_CASH.IS_INCOME IS_INCOME, \r\n"
    " TE_CASH.CASH_NO CASH_NO, \r\n"
    " TE_CASH.DATE_D DATE_D, \r\n"
    " TE_CASH.TXT TXT, \r\n"
    " TE_CASH.PAR_NAME PAR_NAME, \r\n"
    " TE_CASH.PAR_ADDRESS PAR_ADDRESS, \r\n"
    " TE.RECID TE_RECID, \r\n"
    " TE.CASH_ID TE_CASH_ID, \r\n"
    " TE.DATE_D TE_DATE_D, \r\n"
    " TE.DOC_NO DOC_NO, \r\n"
    " TE.INCOME INCOME, \r\n"
    " TE.OUTCOME OUTCOME, \r\n"
    " TE.ORIGIN_CURR ORIGIN_CURR \r\n"
    "FROM TE_CASH \r\n"
    "INNER JOIN TE ON (TE.RECID = TE_CASH.TE_ID);";

const char *const create_te_del =
    "CREATE TRIGGER TE_DEL AFTER DELETE ON TE \r\n"
    "BEGIN\r\n"
    " DELETE FROM TE_CASH WHERE TE_ID = OLD.RECID;\r\n"
    "END;";

const char *const create_gen_doc_no =
    "CREATE TRIGGER GEN_DOC_NO UPDATE OF LAST_WRITE ON GENER_NO\r\n"
    "-- vypocte max cislo dokladu a ulozi ho, pokud je vyssi, nez puvodni\r\n"
    "FOR EACH ROW WHEN OLD.RECID <= 4 --pouze pro doklady\r\n"
    "BEGIN\r\n"
    "  UPDATE GENER_NO SET\r\n"
    "  GEN_ID = max(\r\n"
    "    ifnull( (SELECT MAX(DOC_NO) FROM DOC_HEAD WHERE ID_DOC_TYPE=OLD.RECID), 0),\r\n"
    "   (SELECT GEN_ID FROM GENER_NO WHERE RECID=OLD.RECID))\r\n"
    "  WHERE RECID = OLD.RECID;\r\n"
    "END;";

const char *const create_bank_trans =
    "CREATE TABLE BANK_TRANS (\r\n"
    "RECID INTEGER NOT NULL PRIMARY KEY,\r\n"
    "CASH_ID INTEGER NOT NULL,\r\n"
    "STMT_D DATE NOT NULL,\r\n"
    "TRANS_ID VARCHAR(64) NOT NULL,\r\n"
    "TE_ID INTEGER);";

const char *const create_bank_trans_key =
    "CREATE UNIQUE INDEX BANK_TRANS_KEY ON BANK_TRANS (CASH_ID, STMT_D, TRANS_ID);";

const char *const create_doc_uuid =
    "CREATE TABLE DOC_UUID (\r\n"
    "RECID INTEGER NOT NULL PRIMARY KEY,\r\n"
    "UUID VARCHAR(36) NOT NULL);";

const char *const create_doc_uuid_del =
    "CREATE TRIGGER DOC_UUID_DEL AFTER DELETE ON DOC_HEAD\r\n"
    "BEGIN\r\n"
    " DELETE FROM DOC_UUID WHERE RECID = OLD.RECID;\r\n"
    "END;";

// Bank statements find documents by variable symbol, compared without its leading zeros; the
// expression must stay the one the statement import selects with.
QString create_symbol_index(int type)
{
    return QStringLiteral("CREATE INDEX DOC_DRS%1_VS ON DOC_DRS%1 (ltrim(trim(VAR_S), '0'));")
        .arg(type);
}

// The longest text that a field with a history holds: a document item's.
constexpr int history_text_width = 255;

bool history_text_is_narrow(TdbAPI &api)
{
    const ScopedSet probe =
        api.select_scoped(QStringLiteral("X"), QStringLiteral("SELECT TXT FROM USER_HIST WHERE 0"));
    return probe && probe->field(0).size() < history_text_width;
}

// SQLite cannot widen a column in place, so the table is made anew beside the old one.
bool rebuild_user_hist()
{
    const QStringList steps = {
        QStringLiteral("CREATE TABLE USER_HIST_WIDE (RECID INTEGER NOT NULL PRIMARY KEY "
                       "ON CONFLICT IGNORE, DATA_FIELD INTEGER, TXT VARCHAR(%1));")
            .arg(history_text_width),
        QStringLiteral("INSERT OR IGNORE INTO USER_HIST_WIDE (RECID, DATA_FIELD, TXT) "
                       "SELECT RECID, DATA_FIELD, TXT FROM USER_HIST;"),
        QStringLiteral("DROP TABLE USER_HIST;"),
        QStringLiteral("ALTER TABLE USER_HIST_WIDE RENAME TO USER_HIST;"),
        QStringLiteral("CREATE INDEX USER_HIST_FIELD ON USER_HIST (DATA_FIELD);"),
    };
    for (const QString &step : steps) {
        if (!dm_exec_sql(step.toUtf8().constData()))
            return false;
    }
    return true;
}

// All steps or none: a failure half-way must not leave the histories without their table.
void widen_history_text(TdbAPI &api)
{
    if (!history_text_is_narrow(api))
        return;
    QString reason;
    {
        DbTransaction transaction;
        if (transaction.active() && rebuild_user_hist() && transaction.commit())
            return;
        // The rollback that ends the guard clears the library's text.
        reason = QString::fromUtf8(dm_last_error());
    }
    show_message(QStringLiteral("Chyba"),
                 QStringLiteral("Historii textů se nepodařilo upravit pro delší texty, zůstává "
                                "beze změny. ") +
                     reason,
                 mbIconError);
}

} // namespace

bool TdbAPI::ensure_object(const QString &object, const QString &statement)
{
    if (dm_db_object_exists(object.toUtf8().constData()))
        return true;
    if (dm_exec_sql(statement.toUtf8().constData()))
        return true;
    show_message(QStringLiteral("Chyba"), QString::fromUtf8(dm_last_error()), mbIconError);
    return false;
}

void TdbAPI::upgrade_schema()
{
    ensure_object(QStringLiteral("TABLE.TE_CASH"), QString::fromUtf8(create_te_cash));
    ensure_object(QStringLiteral("VIEW.VIEW_TE_CASH"), QString::fromUtf8(create_view_te_cash));
    ensure_object(QStringLiteral("TRIGGER.TE_DEL"), QString::fromUtf8(create_te_del));

    if (dm_db_object_exists("TRIGGER.GENERATOR_NO_ID"))
        dm_exec_sql("DROP TRIGGER GENERATOR_NO_ID;");
    // Older databases counted one ahead; the trigger below counts from the documents
    // themselves, so the counters step back once, just before it first exists.
    if (!dm_db_object_exists("TRIGGER.GEN_DOC_NO"))
        dm_exec_sql("UPDATE GENER_NO SET GEN_ID = max(GEN_ID - 1, 0) "
                    "WHERE (RECID <= 128) AND (LAST_WRITE <> '2008-01-01')");
    ensure_object(QStringLiteral("TRIGGER.GEN_DOC_NO"), QString::fromUtf8(create_gen_doc_no));

    // The books read every document's paid amount and the current document's payments;
    // without these a book of ten years would scan the whole journal per document.
    ensure_object(QStringLiteral("INDEX.TE_DOC"),
                  QStringLiteral("CREATE INDEX TE_DOC ON TE (DOC_ID, INCOME, OUTCOME);"));
    ensure_object(QStringLiteral("INDEX.DOC_HEAD_TYPE_NO"),
                  QStringLiteral("CREATE INDEX DOC_HEAD_TYPE_NO ON DOC_HEAD (ID_DOC_TYPE, DOC_NO);"));

    ensure_object(QStringLiteral("TABLE.BANK_TRANS"), QString::fromUtf8(create_bank_trans));
    ensure_object(QStringLiteral("INDEX.BANK_TRANS_KEY"),
                  QString::fromUtf8(create_bank_trans_key));
    for (int type = 1; type <= 4; ++type)
        ensure_object(QStringLiteral("INDEX.DOC_DRS%1_VS").arg(type), create_symbol_index(type));

    ensure_object(QStringLiteral("TABLE.DOC_UUID"), QString::fromUtf8(create_doc_uuid));
    ensure_object(QStringLiteral("TRIGGER.DOC_UUID_DEL"), QString::fromUtf8(create_doc_uuid_del));

    widen_history_text(*this);

    const QStringList names = {QStringLiteral("faktury vydané"), QStringLiteral("faktury došlé"),
                               QStringLiteral("dobropisy vydané"),
                               QStringLiteral("dobropisy došlé")};
    if (lookup_text(1, QStringLiteral("DOC_TYPES"), QStringLiteral("DOC_NAME")) != names[0]) {
        for (int type = 1; type <= 4; ++type)
            exec_sql(QStringLiteral("UPDATE DOC_TYPES SET DOC_NAME = '") + names[type - 1] +
                     QStringLiteral("' WHERE RECID=") + QString::number(type));
    }
}
