#include "dm_test_support.h"

#include <string>

namespace {

using DmErrors = DmTest;

bool starts_with(const std::string &text, const std::string &start)
{
    return text.compare(0, start.size(), start) == 0;
}

} // namespace

// The user reads a Czech sentence; SQLite's own words follow in parentheses for support.
TEST_F(DmErrors, SqliteFailuresReadInCzechWithTheLibraryTextAfterThem)
{
    create_and_open();
    run_sqlite(path("tallyra.db"), "INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME) "
                                   "VALUES (900, 1, 'Novák');"
                                   "CREATE TABLE NEEDS (RECID INTEGER PRIMARY KEY, A TEXT NOT NULL)");
    const struct {
        const char *statement;
        const char *czech;
        const char *original;
    } cases[] = {
        {"SELEC 1", "Příkaz pro databázi je chybný.", "syntax error)"},
        {"UPDATE NO_SUCH_TABLE SET A=1", "Příkaz pro databázi je chybný.",
         "(no such table: NO_SUCH_TABLE)"},
        {"INSERT INTO PAR (RECID, PARTNER_NO) VALUES (900, 2)",
         "Záznam se stejnou hodnotou už existuje.", "UNIQUE constraint failed: PAR.RECID)"},
        {"INSERT INTO NEEDS (RECID) VALUES (1)", "Chybí povinný údaj záznamu.",
         "(NOT NULL constraint failed: NEEDS.A)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.statement);
        EXPECT_EQ(dm_exec_sql(c.statement), 0);
        const std::string error = dm_last_error();
        EXPECT_TRUE(starts_with(error, std::string(c.czech) + " (")) << error;
        EXPECT_NE(error.find(c.original), std::string::npos) << error;
    }
}

TEST_F(DmErrors, ATriggersRefusalIsItsOwnCzechSentence)
{
    create_and_open();
    run_sqlite(path("tallyra.db"),
               "INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME) VALUES (900, 1, 'Novák');"
               "INSERT INTO PAR_ADDR (RECID, ID_PARTNER) VALUES (901, 900);"
               "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS) VALUES (902, 1, 1, 901)");
    EXPECT_EQ(dm_exec_sql("DELETE FROM PAR_ADDR WHERE RECID=901"), 0);
    EXPECT_EQ(std::string(dm_last_error()),
              "Adresu nelze vymazat, je uvedena na uložených dokladech.");
}
