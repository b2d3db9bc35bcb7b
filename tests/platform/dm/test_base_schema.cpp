#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Row = std::vector<std::string>;

// What the program's schema upgrade adds on every writable opening; the base schema must
// carry every column these objects use.
const char *const program_upgrade = R"(
CREATE TABLE TE_CASH (
RECID INTEGER NOT NULL PRIMARY KEY,
TE_ID INTEGER NOT NULL,
IS_INCOME VARCHAR(1) NOT NULL,
CASH_NO INTEGER NOT NULL,
DATE_D DATE,
TXT VARCHAR(64),
PAR_NAME VARCHAR(64),
PAR_ADDRESS VARCHAR(64));
CREATE VIEW VIEW_TE_CASH AS SELECT TE_CASH.RECID RECID, TE_CASH.TE_ID TE_ID,
 TE_CASH.IS_INCOME IS_INCOME, TE_CASH.CASH_NO CASH_NO, TE_CASH.DATE_D DATE_D, TE_CASH.TXT TXT,
 TE_CASH.PAR_NAME PAR_NAME, TE_CASH.PAR_ADDRESS PAR_ADDRESS, TE.RECID TE_RECID,
 TE.CASH_ID TE_CASH_ID, TE.DATE_D TE_DATE_D, TE.DOC_NO DOC_NO, TE.INCOME INCOME,
 TE.OUTCOME OUTCOME, TE.ORIGIN_CURR ORIGIN_CURR
FROM TE_CASH INNER JOIN TE ON (TE.RECID = TE_CASH.TE_ID);
CREATE TRIGGER TE_DEL AFTER DELETE ON TE
BEGIN
 DELETE FROM TE_CASH WHERE TE_ID = OLD.RECID;
END;
UPDATE GENER_NO SET GEN_ID = max(GEN_ID - 1, 0)
 WHERE (RECID <= 128) AND (LAST_WRITE <> '2008-01-01');
CREATE TRIGGER GEN_DOC_NO UPDATE OF LAST_WRITE ON GENER_NO
-- vypocte max cislo dokladu a ulozi ho, pokud je vyssi, nez puvodni
FOR EACH ROW WHEN OLD.RECID <= 4 --pouze pro doklady
BEGIN
  UPDATE GENER_NO SET
  GEN_ID = max(
    ifnull( (SELECT MAX(DOC_NO) FROM DOC_HEAD WHERE ID_DOC_TYPE=OLD.RECID), 0),
   (SELECT GEN_ID FROM GENER_NO WHERE RECID=OLD.RECID))
  WHERE RECID = OLD.RECID;
END;
)";

// Partners of each kind with addresses, documents of all four types (one invoice in EUR),
// items, and journal entries in three currencies, some of them payments.
const char *const fixture = R"(
INSERT INTO CONF_BANKCASH VALUES
    (500, 'T', 'Běžný účet', '123456789/0100', 'Komerční banka', 'KOMBCZPP',
     'CZ6501000000000123456789');
INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES (501, 'F', 'Pokladna');
INSERT INTO CONF_INVOICE VALUES (800, 'Sídlo', 'Nádražní 3, Brno');
INSERT INTO PAR_GRP VALUES (700, 'Stálí zákazníci', 5);

INSERT INTO PAR VALUES (1000, 1, 'Alfa s.r.o.', '12345678', 'CZ12345678', 'T', 1, 700, NULL);
INSERT INTO PAR VALUES (1100, 2, 'Beta a.s.', '87654321', 'CZ87654321', 'T', 2, 0, NULL);
INSERT INTO PAR VALUES (1200, 3, 'Gama GmbH', NULL, NULL, 'F', 3, 0, NULL);
INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, ADDRESS, ADDRESS2, CITY,
                      POSTAL_CODE, REGION, COUNTRY) VALUES
    (1001, 1000, 'T', 'sídlo', 'Hlavní 1', '', 'Brno', '602 00', '', 'Česká republika'),
    (1002, 1000, 'F', 'sklad', 'Skladová 5', 'hala B', 'Kuřim', '664 34', NULL, ''),
    (1101, 1100, 'T', 'sídlo', 'Dlouhá 2', NULL, 'Praha', '110 00', NULL, 'Česká republika'),
    (1201, 1200, 'T', 'Zentrale', NULL, NULL, 'Wien', '1010', NULL, 'Rakousko');
INSERT INTO PAR_CONTACT VALUES (1010, 1000, 'e-mail', 'jednatel', 'info@alfa.cz', NULL);

INSERT INTO PRO VALUES (2000, 30, 'Šroub M8', 1, 'ks', 2.0, NULL);
INSERT INTO PRO VALUES (2001, 20, 'Montáž', 2, 'hod', 500.0, NULL);
INSERT INTO PRO VALUES (2002, 10, 'Matice M8', 1, 'ks', 1.0, NULL);

INSERT INTO DOC_HEAD VALUES (3000, 1, 1, 1001, '2024-03-01', '2024-03-15', 0, 'Dodávka šroubů',
                             1000, 0, 1000, 'Kč', 1, 1.0);
INSERT INTO DOC_DRS1 VALUES (3000, '1', '0308', 1002, 500);
INSERT INTO DOC_ITEMS VALUES (3001, 3000, 2001, 1, 'hod', 500, 500, 'Kč', 1, 1.0, 0, 'c');
INSERT INTO DOC_ITEMS VALUES (3002, 3000, 2002, 100, 'ks', 1, 100, 'Kč', 1, 1.0, 0, 'a');
INSERT INTO DOC_ITEMS VALUES (3003, 3000, 2000, 200, 'ks', 2, 400, 'Kč', 1, 1.0, 0, 'b');

INSERT INTO DOC_HEAD VALUES (3500, 1, 2, 1201, '2026-01-10', NULL, 0, 'Lieferung', 100, 0, 100,
                             'EUR', 1, 24.5);
INSERT INTO DOC_DRS1 VALUES (3500, '2', NULL, 1201, 500);
INSERT INTO DOC_ITEMS VALUES (3501, 3500, 2000, 1000, 'ks', 0.08, 80, 'EUR', 1, 24.5, 0, NULL);

INSERT INTO DOC_HEAD VALUES (4000, 2, 1, 1101, '2024-05-02', NULL, 0, 'Nákup materiálu', 200, 0,
                             200, 'EUR', 1, 24.5);
INSERT INTO DOC_DRS2 VALUES (4000, 'FV-77', NULL, 800, 500);
INSERT INTO DOC_HEAD VALUES (5000, 3, 1, 1001, '2024-04-01', NULL, 0, 'Dobropis k faktuře 1', 300,
                             0, 300, 'Kč', 1, 1.0);
INSERT INTO DOC_DRS3 VALUES (5000, '1', NULL, 3000, 501);
INSERT INTO DOC_HEAD VALUES (6000, 4, 1, 1101, '2024-06-01', NULL, 0, 'Dobropis dodavatele', 80,
                             0, 80, 'Kč', 1, 1.0);
INSERT INTO DOC_DRS4 VALUES (6000, 'FV-77', NULL, 4000, 501);

INSERT INTO TE (RECID, DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, CASH_ID, ORIGIN_CURR,
                CURR_AMOUNT, CURR_KURS, INCOME, OUTCOME) VALUES
    (7000, 3000, '2024-03-20', '1', 1, 'Dodávka šroubů', 500, 'Kč', 1, 1.0, 400, 0),
    (7001, 3000, '2024-03-10', '1', 1, 'Dodávka šroubů', 501, 'Kč', 1, 1.0, 600, 0),
    (7002, 3000, '2024-03-21', '1', 7, 'vrácený přeplatek', 501, 'Kč', 1, 1.0, 0, 50),
    (7003, 4000, '2024-05-20', '1', 3, 'Nákup materiálu', 500, 'EUR', 1, 25.0, 0, 50),
    (7004, 5000, '2024-04-05', '1', 7, 'Dobropis', 501, 'Kč', 1, 1.0, 0, 30),
    (7005, 0, '2026-02-01', 'PD1', 6, 'nájem', 501, 'Kč', 1, 1.0, 0, 123.45),
    (7006, 0, '2024-12-31', 'PD2', 2, 'licence', 500, 'JPY', 100, 16.0, 1000, 0),
    (7007, 0, '2024-07-01', 'PD3', 2, 'provize', 500, 'EUR', 0, 25.0, 10, 0);
)";

std::string read_file(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class BaseSchema : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        sqlite3 *db = nullptr;
        const std::string path = m_dir.filePath("tallyra.db").toStdString();
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        m_db.reset(db);
        const std::string schema = read_file(TALLYRA_BASE_SCHEMA);
        ASSERT_FALSE(schema.empty()) << TALLYRA_BASE_SCHEMA;
        // The library runs the file inside one transaction.
        ASSERT_EQ(run("BEGIN IMMEDIATE"), "");
        ASSERT_EQ(run(schema), "");
        ASSERT_EQ(run("COMMIT"), "");
    }

    // Runs statements; the error text, empty on success.
    std::string run(const std::string &sql)
    {
        char *error = nullptr;
        if (sqlite3_exec(m_db.get(), sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK)
            return {};
        const std::string text = error ? error : "?";
        sqlite3_free(error);
        return text;
    }

    void load_fixture() { ASSERT_EQ(run(std::string("BEGIN;") + fixture + "COMMIT;"), ""); }
    void apply_program_upgrade() { ASSERT_EQ(run(program_upgrade), ""); }

    using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

    Statement prepare(const std::string &sql)
    {
        sqlite3_stmt *statement = nullptr;
        const int rc = sqlite3_prepare_v2(m_db.get(), sql.c_str(), -1, &statement, nullptr);
        EXPECT_EQ(rc, SQLITE_OK) << sql << ": " << sqlite3_errmsg(m_db.get());
        return Statement(statement, &sqlite3_finalize);
    }

    // Every row as text; NULL reads "<null>".
    std::vector<Row> rows(const std::string &sql)
    {
        std::vector<Row> result;
        Statement statement = prepare(sql);
        while (statement && sqlite3_step(statement.get()) == SQLITE_ROW) {
            Row row;
            for (int i = 0; i < sqlite3_column_count(statement.get()); ++i) {
                const auto *text = sqlite3_column_text(statement.get(), i);
                row.push_back(text ? reinterpret_cast<const char *>(text) : "<null>");
            }
            result.push_back(row);
        }
        return result;
    }

    std::string text(const std::string &sql)
    {
        const std::vector<Row> result = rows(sql);
        return result.empty() ? "<no row>" : result.front().front();
    }

    double number(const std::string &sql)
    {
        Statement statement = prepare(sql);
        if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW) {
            ADD_FAILURE() << "no row: " << sql;
            return -1;
        }
        return sqlite3_column_double(statement.get(), 0);
    }

    std::set<std::string> column_values(const std::string &sql)
    {
        std::set<std::string> values;
        for (const Row &row : rows(sql))
            values.insert(row.front());
        return values;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> m_db{nullptr, &sqlite3_close};
};

TEST_F(BaseSchema, IsMarkedAsATallyraDatabase)
{
    EXPECT_EQ(text("PRAGMA application_id"), "1413565529");
    EXPECT_EQ(read_file(TALLYRA_BASE_SCHEMA).rfind("PRAGMA application_id = 1413565529;", 0), 0u);
    EXPECT_EQ(text("PRAGMA integrity_check"), "ok");
}

TEST_F(BaseSchema, CreatesEveryObjectOfTheCatalogue)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> objects = {
        {"table",
         {"DM_GEN",      "BLOBDATA", "CONF_ADDRESS", "CONF_INVOICE", "CONF_BANKCASH", "GENER_NO",
          "DOC_TYPES",   "DOC_HEAD", "DOC_ITEMS",    "DOC_DRS1",     "DOC_DRS2",      "DOC_DRS3",
          "DOC_DRS4",    "TE",       "TE_GRP",       "PAR",          "PAR_ADDR",      "PAR_BANK",
          "PAR_CONTACT", "PAR_TYPE", "PAR_GRP",      "PAR_CTYPE",    "PRO",           "PRO_GRP",
          "PRO_UNITS",   "PRO_CURR", "CURR_LIST",    "USER_CALC",    "USER_HIST"}},
        {"view", {"VIEW_DOC1",         "VIEW_DOC2",        "VIEW_DOC3",       "VIEW_DOC4",
                  "VIEW_ITEMS",        "VIEW_SEL_INVOICE", "VIEW_DOC_REKAP",  "VIEW_DOC_PAR",
                  "VIEW_PAYMENTS",     "VIEW_OUT_ADDRESS", "VIEW_IN_ADDRESS", "VIEW_CREDIT_ADDRESS",
                  "VIEW_DISCOUNT",     "VIEW_TE",          "VIEW_YEARS",      "VIEW_PAR",
                  "VIEW_PAR_CONTACTS", "VIEW_PRO",         "VIEW_SALES",      "PRINT_DOC1",
                  "PRINT_DOC2",        "PRINT_DOC3",       "PRINT_DOC4",      "PRINT_DOC_PAR"}},
    };
    for (const auto &[type, names] : objects)
        for (const std::string &name : names)
            EXPECT_EQ(text("SELECT type FROM sqlite_master WHERE name = '" + name + "'"), type)
                << name;

    // The program's upgrade creates these itself and skips what already exists.
    for (const char *name : {"TE_CASH", "VIEW_TE_CASH", "TE_DEL", "GEN_DOC_NO"})
        EXPECT_EQ(
            text(std::string("SELECT COUNT(*) FROM sqlite_master WHERE name = '") + name + "'"),
            "0")
            << name;

    // Every view must compile against the tables (a view naming a missing column only fails
    // when it is read) and fit the library's record of 64 fields.
    for (const Row &view : rows("SELECT name FROM sqlite_master WHERE type = 'view'")) {
        Statement statement = prepare("SELECT * FROM " + view.front());
        ASSERT_TRUE(statement) << view.front();
        EXPECT_LE(sqlite3_column_count(statement.get()), 64) << view.front();
    }
}

TEST_F(BaseSchema, ProgramUpgradeFindsEveryColumnItNeeds)
{
    load_fixture();
    apply_program_upgrade();
    EXPECT_EQ(run("INSERT INTO TE_CASH VALUES(null, 7005, 'F', 1, '2026-02-01', 'nájem', "
                  "'Dům s.r.o.', 'Brno')"),
              "");
    EXPECT_EQ(rows("SELECT TE_RECID, TE_CASH_ID, DOC_NO, OUTCOME, ORIGIN_CURR FROM VIEW_TE_CASH"),
              (std::vector<Row>{{"7005", "501", "PD1", "123.45", "Kč"}}));

    // Stamping a document series raises its counter to the highest number of that type.
    EXPECT_EQ(run("UPDATE GENER_NO SET LAST_WRITE='10.1.2026' WHERE RECID=1"), "");
    EXPECT_EQ(text("SELECT GEN_ID FROM GENER_NO WHERE RECID=1"), "2");
}

TEST_F(BaseSchema, SeedsTheRowsANewDatabaseStartsWith)
{
    EXPECT_EQ(rows("SELECT * FROM DM_GEN"), (std::vector<Row>{{"1", "10000"}}));
    EXPECT_EQ(rows("SELECT RECID, DOC_NAME FROM DOC_TYPES ORDER BY RECID"),
              (std::vector<Row>{{"1", "faktury vydané"},
                                {"2", "faktury došlé"},
                                {"3", "dobropisy vydané"},
                                {"4", "dobropisy došlé"}}));
    EXPECT_EQ(rows("SELECT RECID, GEN_ID, INCREMENT_ID, ifnull(TXT, ''), LAST_WRITE FROM GENER_NO "
                   "ORDER BY RECID"),
              (std::vector<Row>{{"1", "0", "1", "", "2008-01-01"},
                                {"2", "0", "1", "", "2008-01-01"},
                                {"3", "0", "1", "", "2008-01-01"},
                                {"4", "0", "1", "", "2008-01-01"},
                                {"128", "0", "1", "PD", "2008-01-01"},
                                {"1024", "1", "1", "", "2008-01-01"},
                                {"1025", "1", "1", "", "2008-01-01"}}));
    EXPECT_EQ(rows("SELECT RECID, MYNAME, FORE_CURR, LOGO_ID, STAMP_ID FROM CONF_ADDRESS"),
              (std::vector<Row>{{"1", "", "F", "0", "0"}}));

    // Income-only, expense-only and two-way categories, tax and non-tax ones.
    EXPECT_EQ(rows("SELECT DISTINCT IS_INCOME || IS_OUTCOME || IS_TAX FROM TE_GRP ORDER BY 1"),
              (std::vector<Row>{{"FTT"}, {"TFT"}, {"TTF"}}));
    EXPECT_EQ(text("SELECT RECID FROM TE_GRP WHERE GRP_NAME = 'Příjmy z prodeje zboží a služeb' "
                   "AND IS_INCOME = 'T' AND IS_OUTCOME = 'F'"),
              "1");
    EXPECT_EQ(rows("SELECT IS_CUSTOMER || IS_SUPPLIER FROM PAR_TYPE ORDER BY RECID"),
              (std::vector<Row>{{"TF"}, {"FT"}, {"TT"}}));
    EXPECT_EQ(column_values("SELECT CONTACT_TYPE FROM PAR_CTYPE"),
              (std::set<std::string>{"telefon", "mobil", "e-mail", "www"}));
    EXPECT_EQ(column_values("SELECT UNIT_SHORT FROM PRO_UNITS"),
              (std::set<std::string>{"ks", "hod", "kg", "m", "bal"}));
    EXPECT_EQ(rows("SELECT CURR_NAME, CURR_AMOUNT > 0, CURR_KURS > 1 FROM CURR_LIST ORDER BY 1"),
              (std::vector<Row>{{"EUR", "1", "1"}, {"USD", "1", "1"}}));

    // Seed keys stay below the first RECID the library's generator hands out.
    for (const Row &table :
         rows("SELECT name FROM sqlite_master WHERE type = 'table' AND name <> 'DM_GEN'"))
        EXPECT_LT(number("SELECT ifnull(MAX(RECID), 0) FROM " + table.front()), 10000)
            << table.front();
}

TEST_F(BaseSchema, DeletingADocumentTakesItsItemsDetailsPaymentsVouchersAndText)
{
    load_fixture();
    apply_program_upgrade();
    ASSERT_EQ(run("INSERT INTO TE_CASH VALUES(null, 7000, 'T', 1, '2024-03-20', 'úhrada', "
                  "'Alfa', 'Brno');"
                  "INSERT INTO BLOBDATA VALUES (3000, x'7B5C727466317D');"
                  "DELETE FROM DOC_HEAD WHERE RECID = 5000;"),
              "");

    ASSERT_EQ(run("DELETE FROM DOC_HEAD WHERE RECID = 3000"), "");
    EXPECT_EQ(text("SELECT COUNT(*) FROM DOC_ITEMS WHERE HEADER_ID = 3000"), "0");
    EXPECT_EQ(text("SELECT COUNT(*) FROM DOC_DRS1 WHERE RECID = 3000"), "0");
    EXPECT_EQ(text("SELECT COUNT(*) FROM TE WHERE DOC_ID = 3000"), "0");
    EXPECT_EQ(text("SELECT COUNT(*) FROM TE_CASH"), "0");
    EXPECT_EQ(text("SELECT COUNT(*) FROM BLOBDATA WHERE RECID = 3000"), "0");

    // Other documents and entries without a document keep everything.
    EXPECT_EQ(column_values("SELECT RECID FROM DOC_ITEMS"), (std::set<std::string>{"3501"}));
    EXPECT_EQ(column_values("SELECT RECID FROM TE"),
              (std::set<std::string>{"7003", "7005", "7006", "7007"}));
    EXPECT_EQ(text("SELECT COUNT(*) FROM DOC_DRS1"), "1");
}

TEST_F(BaseSchema, DeletingAPartnerOrProductTakesItsOwnRecords)
{
    load_fixture();
    ASSERT_EQ(
        run("INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME) VALUES (1300, 4, 'Delta');"
            "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE) VALUES (1301, 1300, 'x');"
            "INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_NAME) VALUES (1302, 1300, 'y');"
            "INSERT INTO PAR_BANK (RECID, ID_PARTNER, BANK_TITLE) VALUES (1303, 1300, 'z');"
            "INSERT INTO BLOBDATA VALUES (1300, x'FFD8');"
            "INSERT INTO PRO (RECID, PRO_NO, PRO_NAME) VALUES (2003, 40, 'Podložka');"
            "INSERT INTO PRO_CURR VALUES (2004, 2003, 0.01, 'EUR');"
            "INSERT INTO BLOBDATA VALUES (2003, x'FFD8');"),
        "");

    ASSERT_EQ(run("DELETE FROM PAR WHERE RECID = 1300"), "");
    ASSERT_EQ(run("DELETE FROM PRO WHERE RECID = 2003"), "");
    for (const char *table : {"PAR_ADDR", "PAR_CONTACT", "PAR_BANK"})
        EXPECT_EQ(text(std::string("SELECT COUNT(*) FROM ") + table + " WHERE ID_PARTNER = 1300"),
                  "0")
            << table;
    EXPECT_EQ(text("SELECT COUNT(*) FROM PRO_CURR WHERE PRO_ID = 2003"), "0");
    EXPECT_EQ(text("SELECT COUNT(*) FROM BLOBDATA"), "0");
    EXPECT_EQ(text("SELECT COUNT(*) FROM PAR_ADDR"), "4") << "other partners keep theirs";
}

TEST_F(BaseSchema, RowsThatStoredRecordsShowCannotBeDeleted)
{
    load_fixture();
    struct Case {
        std::string table;
        std::string recid;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"DOC_HEAD", "3000", "Fakturu nelze vymazat"},      // credit note 5000 corrects it
        {"DOC_HEAD", "4000", "Fakturu nelze vymazat"},      // credit note 6000
        {"PAR", "1000", "Partnera nelze vymazat"},          // invoice 3000
        {"PAR_ADDR", "1002", "Adresu nelze vymazat"},       // delivery address of 3000
        {"PAR_ADDR", "1101", "Adresu nelze vymazat"},       // address of 4000
        {"PRO", "2002", "Produkt nelze vymazat"},           // item of 3000
        {"TE_GRP", "6", "Členění nelze vymazat"},           // entry 7005
        {"CONF_BANKCASH", "500", "Účet či pokladnu"},       // entries and documents
        {"CONF_INVOICE", "800", "Fakturační adresu"},       // received invoice 4000
        {"PAR_TYPE", "2", "Typ partnera nelze vymazat"},    // partner 1100
        {"PAR_GRP", "700", "Skupinu partnerů nelze"},       // partner 1000
        {"PRO_GRP", "2", "Skupinu produktů nelze vymazat"}, // product 2001
    };
    for (const Case &c : cases) {
        const std::string error = run("DELETE FROM " + c.table + " WHERE RECID = " + c.recid);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.table << " " << error;
        EXPECT_EQ(text("SELECT COUNT(*) FROM " + c.table + " WHERE RECID = " + c.recid), "1")
            << c.table;
    }
    EXPECT_EQ(text("SELECT COUNT(*) FROM PAR_ADDR WHERE ID_PARTNER = 1000"), "2");

    // Unused rows go as usual.
    EXPECT_EQ(run("DELETE FROM TE_GRP WHERE RECID = 4; DELETE FROM DOC_HEAD WHERE RECID = 3500;"),
              "");
    EXPECT_EQ(text("SELECT COUNT(*) FROM TE_GRP WHERE RECID = 4"), "0");
    EXPECT_EQ(text("SELECT COUNT(*) FROM DOC_HEAD WHERE RECID = 3500"), "0");
}

TEST_F(BaseSchema, NumbersThatMustBeUniqueAreRefusedWithUniqueInTheMessage)
{
    load_fixture();
    // The data layer recognises the word in the library's text and explains the refusal.
    for (const char *duplicate :
         {"INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME) VALUES (1400, 1, 'Kopie')",
          "INSERT INTO PRO (RECID, PRO_NO, PRO_NAME) VALUES (2400, 10, 'Kopie')",
          "INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_KURS) VALUES (2500, 'EUR', 25)"})
        EXPECT_NE(run(duplicate).find("UNIQUE"), std::string::npos) << duplicate;
}

TEST_F(BaseSchema, RepeatedTextHistoryInsertIsIgnored)
{
    const std::string insert = "INSERT INTO USER_HIST VALUES(-1391202102, 780591340, 'Brno')";
    EXPECT_EQ(run(insert), "");
    EXPECT_EQ(run(insert), "");
    EXPECT_EQ(run("INSERT INTO USER_HIST VALUES(-1391202102, 780591340, 'BRNO')"), "");
    EXPECT_EQ(rows("SELECT TXT FROM USER_HIST"), (std::vector<Row>{{"Brno"}}));
}

TEST_F(BaseSchema, DocumentViewsCountPaymentsByTheDocumentsDirection)
{
    load_fixture();
    // Types 1 and 4 are paid by INCOME, 2 and 3 by OUTCOME; the refund outcome on invoice 3000
    // does not count, and nothing paid is 0, never NULL.
    const std::vector<std::pair<std::string, double>> paid = {
        {"SELECT ID_DOCSTATE FROM VIEW_DOC1 WHERE RECID = 3000", 1000.0},
        {"SELECT ID_DOCSTATE FROM VIEW_DOC1 WHERE RECID = 3500", 0.0},
        {"SELECT ID_DOCSTATE FROM VIEW_DOC2 WHERE RECID = 4000", 50.0},
        {"SELECT ID_DOCSTATE FROM VIEW_DOC3 WHERE RECID = 5000", 30.0},
        {"SELECT ID_DOCSTATE FROM VIEW_DOC4 WHERE RECID = 6000", 0.0},
        {"SELECT ID_DOCSTATE FROM VIEW_DOC_PAR WHERE RECID = 4000", 50.0},
        {"SELECT ID_DOCSTATE FROM PRINT_DOC_PAR WHERE RECID = 3000", 1000.0},
    };
    for (const auto &[sql, expected] : paid) {
        Statement statement = prepare(sql);
        ASSERT_EQ(sqlite3_step(statement.get()), SQLITE_ROW) << sql;
        EXPECT_EQ(sqlite3_column_type(statement.get(), 0), SQLITE_FLOAT) << sql;
        EXPECT_DOUBLE_EQ(sqlite3_column_double(statement.get(), 0), expected) << sql;
    }

    // Each book holds only its type; the document-list conditions work on the view's columns.
    for (int type = 1; type <= 4; ++type)
        EXPECT_EQ(text("SELECT COUNT(*) FROM VIEW_DOC" + std::to_string(type) +
                       " WHERE ID_DOC_TYPE <> " + std::to_string(type)),
                  "0");
    EXPECT_EQ(column_values("SELECT RECID FROM VIEW_DOC1 WHERE (ID_DOCSTATE >= ROUND_SUM)"),
              (std::set<std::string>{"3000"}));
    EXPECT_EQ(column_values("SELECT RECID FROM VIEW_DOC1 WHERE ((ID_DOCSTATE = 0)) AND "
                            "(DATE_D>='2026-01-01' and DATE_D<='2026-12-31')"),
              (std::set<std::string>{"3500"}));

    EXPECT_EQ(rows("SELECT DOC_NO, PARTNER_NAME, ICO, DIC, ADDRESS_TITLE, ID_PARTNER, VAR_S, "
                   "CONST_S, ID_LINK, ID_BANK, BANKCASH_MNAME FROM VIEW_DOC1 WHERE RECID = 3000"),
              (std::vector<Row>{{"1", "Alfa s.r.o.", "12345678", "CZ12345678", "sídlo", "1000", "1",
                                 "0308", "1002", "500", "Běžný účet"}}));
    EXPECT_EQ(column_values("SELECT RECID FROM VIEW_DOC_PAR WHERE ID_PARTNER = 1000"),
              (std::set<std::string>{"3000", "5000"}));
    EXPECT_EQ(column_values("SELECT RECID FROM PRINT_DOC_PAR WHERE PAR_RECID = 1100"),
              (std::set<std::string>{"4000", "6000"}));
    EXPECT_EQ(column_values("SELECT RECID FROM VIEW_SEL_INVOICE"),
              (std::set<std::string>{"3000", "3500", "4000"}));
}

TEST_F(BaseSchema, RecapSumsDocumentsAndPaymentsByTypeAndCurrency)
{
    load_fixture();
    EXPECT_EQ(rows("SELECT ID_DOC_TYPE, CURR_NAME, SUM_DOC, SUM_PAY FROM VIEW_DOC_REKAP"),
              (std::vector<Row>{{"1", "Kč", "1000.0", "1000.0"},
                                {"1", "EUR", "100.0", "0.0"},
                                {"2", "EUR", "200.0", "50.0"},
                                {"3", "Kč", "300.0", "30.0"},
                                {"4", "Kč", "80.0", "0.0"}}));
}

TEST_F(BaseSchema, ItemsComeInTheOrderTheyWereStored)
{
    load_fixture();
    // Neither product number nor text order: the order of insertion.
    EXPECT_EQ(
        rows("SELECT RECID, PRO_NO, PRO_NAME, ITEM_TEXT FROM VIEW_ITEMS WHERE HEADER_ID=3000"),
        (std::vector<Row>{{"3001", "20", "Montáž", "c"},
                          {"3002", "10", "Matice M8", "a"},
                          {"3003", "30", "Šroub M8", "b"}}));
}

TEST_F(BaseSchema, JournalViewConvertsAmountsToTheHomeCurrency)
{
    load_fixture();
    struct Case {
        int recid;
        double cc_income;
        double cc_outcome;
    };
    const std::vector<Case> cases = {
        {7000, 400.0, 0.0},  // Kč: the amounts themselves
        {7005, 0.0, 123.45}, // Kč, exactly
        {7003, 0.0, 1250.0}, // 50 EUR at the entry's own 25.00, not the invoice's 24.50
        {7006, 160.0, 0.0},  // 1000 JPY at 16.00 per 100
        {7007, 250.0, 0.0},  // a unit count below 1 counts as 1
    };
    for (const Case &c : cases) {
        const std::string where = " FROM VIEW_TE WHERE RECID = " + std::to_string(c.recid);
        EXPECT_DOUBLE_EQ(number("SELECT CC_INCOME" + where), c.cc_income) << c.recid;
        EXPECT_DOUBLE_EQ(number("SELECT CC_OUTCOME" + where), c.cc_outcome) << c.recid;
    }
    EXPECT_EQ(rows("SELECT GRP_NAME, IS_INCOME, IS_OUTCOME, IS_TAX, BANKCASH_MNAME, IS_BANK "
                   "FROM VIEW_TE WHERE RECID = 7005"),
              (std::vector<Row>{{"Provozní režie", "F", "T", "T", "Pokladna", "F"}}));
    EXPECT_EQ(
        rows("SELECT RECID, MNAME FROM VIEW_PAYMENTS WHERE DOC_ID = 3000"),
        (std::vector<Row>{{"7001", "Pokladna"}, {"7000", "Běžný účet"}, {"7002", "Pokladna"}}));
    EXPECT_EQ(text("SELECT COUNT(*) FROM VIEW_PAYMENTS"), "5") << "only entries of documents";
    EXPECT_EQ(rows("SELECT TE_YEARS FROM VIEW_YEARS ORDER BY TE_YEARS DESC"),
              (std::vector<Row>{{"2026"}, {"2024"}}));
}

TEST_F(BaseSchema, AddressViewsOfferPartnersByTheirType)
{
    load_fixture();
    EXPECT_EQ(column_values("SELECT RECID FROM VIEW_OUT_ADDRESS"),
              (std::set<std::string>{"1001", "1002", "1201"}));
    EXPECT_EQ(column_values("SELECT RECID FROM VIEW_OUT_ADDRESS WHERE IS_INVOICE = 'T'"),
              (std::set<std::string>{"1001", "1201"}));
    EXPECT_EQ(column_values("SELECT RECID FROM VIEW_IN_ADDRESS"),
              (std::set<std::string>{"1101", "1201"}));
    EXPECT_EQ(column_values("SELECT RECID FROM VIEW_CREDIT_ADDRESS"),
              (std::set<std::string>{"1001", "1002", "1101", "1201"}));

    // Empty parts leave no empty lines.
    EXPECT_EQ(rows("SELECT RECID, PARTNER_NO, PARTNER_NAME, FULL_ADDRESS FROM VIEW_OUT_ADDRESS "
                   "ORDER BY RECID"),
              (std::vector<Row>{
                  {"1001", "1", "Alfa s.r.o.", "Hlavní 1\r\n602 00 Brno\r\nČeská republika"},
                  {"1002", "1", "Alfa s.r.o.", "Skladová 5\r\nhala B\r\n664 34 Kuřim"},
                  {"1201", "3", "Gama GmbH", "1010 Wien\r\nRakousko"}}));
    EXPECT_EQ(run("UPDATE PAR_ADDR SET CITY = 'Blansko', POSTAL_CODE = '678 01' WHERE RECID=1001"),
              "");
    EXPECT_EQ(text("SELECT FULL_ADDRESS FROM VIEW_DOC1 WHERE RECID = 3000"),
              "Hlavní 1\r\n678 01 Blansko\r\nČeská republika");
}

TEST_F(BaseSchema, PartnerProductAndPrintViewsDeliverWhatTheirReadersUse)
{
    load_fixture();
    EXPECT_EQ(rows("SELECT RECID, PERCENT FROM VIEW_DISCOUNT"),
              (std::vector<Row>{{"1000", "5.0"}}));
    EXPECT_EQ(rows("SELECT PARTNER_TYPE, GRP_NAME FROM VIEW_PAR WHERE RECID = 1000"),
              (std::vector<Row>{{"odběratel", "Stálí zákazníci"}}));
    EXPECT_EQ(text("SELECT CONTACT_ITEM FROM VIEW_PAR_CONTACTS WHERE ID_PARTNER = 1000"),
              "e-mail - jednatel");
    EXPECT_EQ(text("SELECT GRP_NAME FROM VIEW_PRO WHERE RECID = 2001"), "Služby");

    // Sales of every currency add up in Kč: 80 EUR at 24.50.
    EXPECT_EQ(rows("SELECT SUM(DOC_AMOUNT), SUM(SALES), DOC_UNITV, PRO_NO FROM VIEW_SALES "
                   "WHERE DATE_D>='2026-01-01' and DATE_D<='2026-12-31' AND PRO_GRP=1 "
                   "GROUP BY PRO_NO, DOC_UNITV, PRO_GRP"),
              (std::vector<Row>{{"1000.0", "1960.0", "ks", "30"}}));
    EXPECT_EQ(rows("SELECT IS_SERVICE FROM VIEW_SALES WHERE PRO_NO = 20"),
              (std::vector<Row>{{"T"}}));

    EXPECT_EQ(rows("SELECT DOC_NO, ADDRESS, POSTAL_CODE, CITY, COUNTRY, BANK_NAME, ACCOUNT_NO, "
                   "SWIFT, IBAN, VAR_S, CONST_S, ID_LINK FROM PRINT_DOC1 WHERE RECID = 3000"),
              (std::vector<Row>{{"1", "Hlavní 1", "602 00", "Brno", "Česká republika", "Běžný účet",
                                 "123456789/0100", "KOMBCZPP", "CZ6501000000000123456789", "1",
                                 "0308", "1002"}}));
    EXPECT_EQ(rows("SELECT RECID, INVOICE_NO, BANK_NAME FROM PRINT_DOC3"),
              (std::vector<Row>{{"5000", "1", "Pokladna"}}));
    EXPECT_EQ(rows("SELECT RECID, INVOICE_NO FROM PRINT_DOC4"), (std::vector<Row>{{"6000", "1"}}));
    EXPECT_EQ(rows("SELECT RECID, VAR_S FROM PRINT_DOC2"), (std::vector<Row>{{"4000", "FV-77"}}));
}

TEST_F(BaseSchema, ViewColumnsCarryTheTypesRecordSetsNeed)
{
    load_fixture();
    // Plain column references keep their declared type through every view.
    const std::vector<std::tuple<std::string, std::string, std::string>> declared = {
        {"VIEW_DOC1", "RECID", "INTEGER"},
        {"VIEW_DOC1", "DATE_D", "DATE"},
        {"VIEW_DOC1", "MATURITY_D", "DATE"},
        {"VIEW_DOC1", "ROUND_SUM", "FLOAT"},
        {"VIEW_DOC1", "ALL_SUM", "FLOAT"},
        {"VIEW_DOC1", "CURR_KURS", "FLOAT"},
        {"VIEW_DOC1", "DOC_TITLE", "VARCHAR(128)"},
        {"VIEW_DOC1", "VAR_S", "VARCHAR(32)"},
        {"VIEW_DOC4", "FULL_ADDRESS", "VARCHAR(420)"},
        {"VIEW_ITEMS", "AMOUNT", "FLOAT"},
        {"VIEW_ITEMS", "COST", "FLOAT"},
        {"VIEW_ITEMS", "PRO_NO", "INTEGER"},
        {"VIEW_TE", "RECID", "INTEGER"},
        {"VIEW_TE", "DATE_D", "DATE"},
        {"VIEW_TE", "CC_INCOME", "FLOAT"},
        {"VIEW_TE", "CC_OUTCOME", "FLOAT"},
        {"VIEW_TE", "IS_TAX", "VARCHAR(1)"},
        {"VIEW_PAYMENTS", "INCOME", "FLOAT"},
        {"VIEW_SALES", "DATE_D", "DATE"},
        {"VIEW_DISCOUNT", "PERCENT", "FLOAT"},
        {"PRINT_DOC1", "ACCOUNT_NO", "VARCHAR(40)"},
        {"PRINT_DOC3", "INVOICE_DATE_D", "DATE"},
        {"PRINT_DOC_PAR", "PAR_RECID", "INTEGER"},
    };
    for (const auto &[view, column, type] : declared) {
        Statement statement = prepare("SELECT " + column + " FROM " + view);
        ASSERT_TRUE(statement) << view << "." << column;
        const char *decltype_text = sqlite3_column_decltype(statement.get(), 0);
        EXPECT_EQ(decltype_text ? decltype_text : "<none>", type) << view << "." << column;
    }

    // Computed amounts have no declared type; the record set types them by the first value,
    // so every row must hold a REAL, also where nothing was paid or sold.
    for (const char *sql :
         {"SELECT ID_DOCSTATE FROM VIEW_DOC_ALL", "SELECT SUM_DOC FROM VIEW_DOC_REKAP",
          "SELECT SUM_PAY FROM VIEW_DOC_REKAP", "SELECT SALES FROM VIEW_SALES",
          "SELECT VAT_PROC FROM VIEW_ITEMS"}) {
        Statement statement = prepare(sql);
        int count = 0;
        while (sqlite3_step(statement.get()) == SQLITE_ROW) {
            EXPECT_EQ(sqlite3_column_type(statement.get(), 0), SQLITE_FLOAT) << sql;
            ++count;
        }
        EXPECT_GT(count, 0) << sql;
    }
    Statement years = prepare("SELECT TE_YEARS FROM VIEW_YEARS");
    ASSERT_EQ(sqlite3_step(years.get()), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_type(years.get(), 0), SQLITE_INTEGER);
}

} // namespace
