#include "support/db_fixture.h"

#include "data/memtable.h"
#include "masterdata/products.h"

namespace {

class Products : public DbFixture {
protected:
    ProductRecord product(int number, const QString &name) const
    {
        ProductRecord record;
        record.number = number;
        record.name = name;
        record.group = 1;
        record.unit = QStringLiteral("ks");
        record.cost = 1234.5;
        record.note = QStringLiteral("poznámka");
        return record;
    }

    void set_series(int first, int step)
    {
        exec(QStringLiteral("UPDATE GENER_NO SET GEN_ID=%1, INCREMENT_ID=%2 WHERE RECID=1025")
                 .arg(first)
                 .arg(step));
    }

    void insert_product(int recid, int number)
    {
        exec(QStringLiteral("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME) VALUES (%1, %2, 'P%2')")
                 .arg(recid)
                 .arg(number));
    }
};

} // namespace

TEST_F(Products, NewNumbersFollowTheHighestButNeverFallBelowTheSeriesStart)
{
    EXPECT_EQ(next_product_number(*m_api), 1);
    set_series(1000, 10);
    EXPECT_EQ(next_product_number(*m_api), 1000);
    insert_product(9001, 5);
    EXPECT_EQ(next_product_number(*m_api), 1000);
    insert_product(9002, 1230);
    EXPECT_EQ(next_product_number(*m_api), 1240);
}

TEST_F(Products, NamesWithApostrophesAndCzechLettersAreStoredAsTyped)
{
    ProductRecord record = product(7, QStringLiteral("Šroub 'M6' – žárově zinkovaný"));
    record.recid = save_product(*m_api, record);
    ASSERT_GT(record.recid, 0);
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT PRO_NO||'|'||PRO_NAME||'|'||ID_PRO_GRP||'|'||"
                                          "UNITV||'|'||COST||'|'||PRO_NOTE FROM PRO WHERE RECID=%1")
                               .arg(record.recid)),
              QStringLiteral("7|Šroub 'M6' – žárově zinkovaný|1|ks|1234.5|poznámka"));

    record.cost = -50;
    record.name = QStringLiteral("Sleva");
    EXPECT_EQ(save_product(*m_api, record), record.recid);
    EXPECT_EQ(
        sqlite_shell(
            QStringLiteral("SELECT PRO_NAME||'|'||COST FROM PRO WHERE RECID=%1").arg(record.recid)),
        QStringLiteral("Sleva|-50.0"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Products, ATakenNumberIsRefusedAndNothingIsWritten)
{
    insert_product(9001, 12);
    EXPECT_EQ(save_product(*m_api, product(12, QStringLiteral("Druhý"))), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Číslo produktu je již použito, zadejte jiné."));
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PRO"), "1");

    // A product keeps its own number when it is corrected.
    ProductRecord own = product(12, QStringLiteral("Opravený"));
    own.recid = 9001;
    EXPECT_EQ(save_product(*m_api, own), 9001);
    EXPECT_EQ(sqlite_shell("SELECT PRO_NAME FROM PRO WHERE RECID=9001"), "Opravený");
}

TEST_F(Products, ARefusedSaveIsReportedAndTheProgramGoesOn)
{
    exec("CREATE TRIGGER REFUSE BEFORE INSERT ON PRO BEGIN SELECT RAISE(ABORT, 'Zápis odmítnut.'); "
         "END");
    EXPECT_EQ(save_product(*m_api, product(1, QStringLiteral("Nový"))), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Zápis odmítnut."));
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PRO"), "0");
}

TEST_F(Products, ReadOnlyDatabaseRefusesPolitely)
{
    if (!reopen_read_only())
        GTEST_SKIP() << "this machine cannot write-protect the file";
    EXPECT_EQ(save_product(*m_api, product(1, QStringLiteral("Nový"))), 0);
    ASSERT_FALSE(m_messages.empty());
    EXPECT_TRUE(m_messages.back().text.startsWith(QStringLiteral("Záznam nelze uložit.")));
    EXPECT_FALSE(program_ending());
}

TEST_F(Products, DeletingTakesPricesAndPictureAlongButKeepsAProductOnInvoices)
{
    insert_product(9001, 1);
    insert_product(9002, 2);
    exec("INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES (9011, 9001, 4, 'EUR');"
         "INSERT INTO BLOBDATA (RECID, DATA) VALUES (9001, x'00');"
         "INSERT INTO DOC_ITEMS (RECID, PRO_ID) VALUES (9021, 9002)");
    TMemTable *set = m_api->select_sql("VIEW_PRO", "SELECT * FROM VIEW_PRO ORDER BY PRO_NO");
    ASSERT_TRUE(set);

    m_answer = mrNo;
    EXPECT_EQ(delete_product(set), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Opravdu  vymazat vybraný produkt?"));
    EXPECT_EQ(m_messages[0].style, 308);
    EXPECT_EQ(m_messages[0].help_topic, 2024);

    m_answer = mrYes;
    EXPECT_EQ(delete_product(set), 9001);
    EXPECT_EQ(set->record_count(), 1);
    EXPECT_EQ(sqlite_shell("SELECT (SELECT COUNT(*) FROM PRO_CURR)||(SELECT COUNT(*) FROM "
                           "BLOBDATA)||(SELECT COUNT(*) FROM PRO)"),
              "001");

    m_messages.clear();
    EXPECT_EQ(delete_product(set), 0);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1].text,
              QStringLiteral("Produkt nelze vymazat, je uveden v položkách uložených faktur."));
    EXPECT_FALSE(m_messages[1].fatal);
    EXPECT_EQ(set->record_count(), 1);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PRO"), "1");
    m_api->free_set(set);
}
