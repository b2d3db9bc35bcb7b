#include "support/db_fixture.h"

#include "data/app_paths.h"
#include "data/inifile.h"
#include "data/memtable_stream.h"
#include "data/tdatetime.h"
#include "text/format_settings.h"

#include <QFile>

namespace {

using DbApi = DbFixture;

QStringList visible_columns(const TMemTable &set)
{
    QStringList names;
    for (int c = 0; c < set.field_count(); ++c)
        if (set.field(c).visible)
            names << set.field(c).name();
    return names;
}

IniFile labels()
{
    return IniFile(app_file_path(QStringLiteral(".lng")));
}

} // namespace

TEST_F(DbApi, ANewDatabaseHoldsEveryCatalogueObject)
{
    const QStringList catalogue = {"BLOBDATA",
                                   "CONF_ADDRESS",
                                   "CONF_INVOICE",
                                   "CONF_BANKCASH",
                                   "GENER_NO",
                                   "DOC_TYPES",
                                   "DOC_HEAD",
                                   "DOC_ITEMS",
                                   "DOC_DRS1",
                                   "DOC_DRS2",
                                   "DOC_DRS3",
                                   "DOC_DRS4",
                                   "VIEW_DOC1",
                                   "VIEW_DOC2",
                                   "VIEW_DOC3",
                                   "VIEW_DOC4",
                                   "VIEW_ITEMS",
                                   "VIEW_SEL_INVOICE",
                                   "VIEW_DOC_REKAP",
                                   "VIEW_DOC_PAR",
                                   "VIEW_PAYMENTS",
                                   "VIEW_OUT_ADDRESS",
                                   "VIEW_IN_ADDRESS",
                                   "VIEW_CREDIT_ADDRESS",
                                   "VIEW_DISCOUNT",
                                   "TE",
                                   "TE_GRP",
                                   "VIEW_TE",
                                   "VIEW_YEARS",
                                   "TE_CASH",
                                   "VIEW_TE_CASH",
                                   "PAR",
                                   "PAR_ADDR",
                                   "PAR_BANK",
                                   "PAR_CONTACT",
                                   "PAR_TYPE",
                                   "PAR_GRP",
                                   "PAR_CTYPE",
                                   "VIEW_PAR",
                                   "VIEW_PAR_CONTACTS",
                                   "PRO",
                                   "PRO_GRP",
                                   "PRO_UNITS",
                                   "PRO_CURR",
                                   "CURR_LIST",
                                   "VIEW_PRO",
                                   "VIEW_SALES",
                                   "USER_CALC",
                                   "USER_HIST",
                                   "PRINT_DOC1",
                                   "PRINT_DOC2",
                                   "PRINT_DOC3",
                                   "PRINT_DOC4",
                                   "PRINT_DOC_PAR",
                                   "TE_DEL",
                                   "GEN_DOC_NO"};
    const QStringList present =
        sqlite_shell("SELECT name FROM sqlite_master WHERE type IN ('table','view','trigger')")
            .split(u'\n');
    ASSERT_GT(present.size(), 1) << "the sqlite3 shell did not answer";
    for (const QString &name : catalogue)
        EXPECT_TRUE(present.contains(name)) << qPrintable(name);
}

TEST_F(DbApi, SelectWithoutRowsIsAnOpenEmptySetWithItsColumns)
{
    TMemTable *set = m_api->select_sql("X", "SELECT * FROM DOC_HEAD");
    ASSERT_TRUE(set);
    EXPECT_TRUE(set->active());
    EXPECT_TRUE(set->is_empty());
    EXPECT_EQ(set->field_count(), 14);
    EXPECT_EQ(set->field_by_name("DATE_D").type(), FieldType::DateTime);
    EXPECT_EQ(set->field_by_name("ALL_SUM").type(), FieldType::Float);
    EXPECT_EQ(set->field_by_name("DOC_TITLE").type(), FieldType::Text);
    EXPECT_EQ(set->field_by_name("DOC_TITLE").size(), 128) << "VARCHAR(128) holds 128 characters";
    EXPECT_EQ(m_api->current_recid(set), 0);
    EXPECT_EQ(m_api->record_count(set), 0);
    m_api->free_set(set);
}

TEST_F(DbApi, HidesReferenceColumnsAndShowsFlagsAsAnoNe)
{
    exec("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE) VALUES (5, 1, 'T', "
         "'a')");
    exec("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE) VALUES (6, 1, 'F', "
         "'b')");
    TMemTable *set = m_api->select_sql(
        "X",
        "SELECT RECID, ID_PARTNER, RECID AS HEADER_ID, RECID AS TE_RECID, RECID AS PARTNER_NO, "
        "IS_INVOICE FROM PAR_ADDR ORDER BY RECID");
    ASSERT_TRUE(set);
    EXPECT_EQ(visible_columns(*set), (QStringList{"PARTNER_NO", "IS_INVOICE"}));
    EXPECT_EQ(set->cell_display_text(0, 5), "ano");
    EXPECT_EQ(set->cell_display_text(1, 5), "ne");
    m_api->free_set(set);
}

TEST_F(DbApi, LabelsComeFromTheLabelFileUnderTheSetsName)
{
    for (const QString &name :
         {QString("X"), QString("x"), QString(), QString("xlist"), QString("repo_HEADER")}) {
        TMemTable *set = m_api->select_sql(name, "SELECT RECID, GEN_ID FROM GENER_NO");
        ASSERT_TRUE(set);
        EXPECT_EQ(set->name, name.startsWith("repo_") ? name : QString());
        m_api->free_set(set);
    }
    EXPECT_FALSE(QFile::exists(app_file_path(".lng"))) << "nothing is written for these names";

    // A set whose name the shipped captions do not know: the label file fills up with the
    // column names, and a float column met for the first time shows unformatted.
    const char *select = "SELECT RECID, CURR_NAME, CURR_KURS AS RATE FROM CURR_LIST";
    IniFile seeded = labels();
    seeded.write_string("RATES", "CURR_NAME", "Měna");
    TMemTable *set = m_api->select_sql("RATES", select);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->field_by_name("CURR_NAME").display_label, "Měna");
    EXPECT_EQ(set->field_by_name("RATE").display_label, "RATE");
    EXPECT_TRUE(set->field_by_name("RATE").display_format.isEmpty());
    m_api->free_set(set);

    const IniFile written = labels();
    EXPECT_EQ(written.keys("RATES"), (QStringList{"CURR_NAME", "RECID", "RATE"}));
    EXPECT_EQ(written.read_string("RATES", "CURR_NAME"), "Měna");
    EXPECT_EQ(written.read_string("FLOAT", "RATE"), "########.##");

    set = m_api->select_sql("RATES", select);
    EXPECT_EQ(set->field_by_name("RATE").display_format, "########.##");
    m_api->free_set(set);

    // A set the program ships captions for takes them and writes them down to be edited.
    set = m_api->select_sql("CURR_LIST", "SELECT RECID, CURR_NAME, CURR_KURS FROM CURR_LIST");
    EXPECT_EQ(set->field_by_name("CURR_KURS").display_label, "Kurz Kč");
    EXPECT_EQ(set->field_by_name("CURR_KURS").display_format, "### ##0.000");
    m_api->free_set(set);
    EXPECT_EQ(labels().read_string("CURR_LIST", "CURR_KURS"), "Kurz Kč");

    // The user edits the file beside the program: the next select sees the change.
    IniFile edited = labels();
    edited.write_string("CURR_LIST", "CURR_KURS", "Kurz v korunách");
    set = m_api->select_sql("CURR_LIST", "SELECT RECID, CURR_NAME, CURR_KURS FROM CURR_LIST");
    EXPECT_EQ(set->field_by_name("CURR_KURS").display_label, QString::fromUtf8("Kurz v korunách"));
    m_api->free_set(set);
}

TEST_F(DbApi, RefusedSelectGivesNoSetAndOneErrorMessage)
{
    EXPECT_EQ(m_api->select_sql("X", "SELECT NOPE FROM NOWHERE"), nullptr);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, "Chyba!");
    EXPECT_TRUE(m_messages[0].text.contains("NOWHERE"));
    EXPECT_EQ(m_messages[0].style, mbIconError);
    EXPECT_EQ(m_messages[0].help_topic, 9002);
    EXPECT_FALSE(m_messages[0].fatal);
}

TEST_F(DbApi, RecordWrittenFromASetIsReadBackWithItsViewColumns)
{
    const int partner = insert_partner(100, "Novák");
    exec(QString("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE, ADDRESS, CITY) "
                 "VALUES (50, %1, 'sídlo', 'Dlouhá 1', 'Praha')")
             .arg(partner));
    TMemTable *set = m_api->select_sql("VIEW_ADDRESS", "SELECT * FROM VIEW_CREDIT_ADDRESS");
    ASSERT_TRUE(set);
    ASSERT_EQ(set->record_count(), 1);

    set->append();
    EXPECT_EQ(set->field_by_name("RECID").as_integer(), 0);
    set->field_by_name("ADDRESS_TITLE").set_as_string("pobočka O'Brien");

    DmRecord record;
    m_api->prepare_record(record, set);
    EXPECT_EQ(set->state(), TMemTable::State::Browse);
    record.table = "PAR_ADDR";
    m_api->add_field_value(record, 0);
    const int id = *static_cast<int32_t *>(record.fields[0].value);
    m_api->add_int_value(record, 1, "ID_PARTNER", partner);
    m_api->add_field_value(record, 2, &set->field_by_name("ADDRESS_TITLE"));
    m_api->add_string_value(record, 3, "CITY", "Brno");
    record.used = 4;
    ASSERT_TRUE(m_api->put_record(pmInsert, record));
    EXPECT_EQ(record.used, 0) << "put_record releases the record";

    ASSERT_TRUE(m_api->refresh_record(id, "VIEW_CREDIT_ADDRESS", set));
    EXPECT_EQ(m_api->current_recid(set), id);
    EXPECT_EQ(set->field_by_name("PARTNER_NAME").as_string(), "Novák");
    EXPECT_EQ(set->field_by_name("ADDRESS_TITLE").as_string(), "pobočka O'Brien");
    EXPECT_TRUE(set->field_by_name("FULL_ADDRESS").as_string().contains("Brno"));
    EXPECT_EQ(set->record_count(), 2);
    EXPECT_FALSE(m_api->refresh_record(0, "VIEW_CREDIT_ADDRESS", set));
    EXPECT_FALSE(m_api->refresh_record(424242, "VIEW_CREDIT_ADDRESS", set));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(DbApi, AnEmptyDateIsStoredAsNoDate)
{
    exec("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, MATURITY_D) "
         "VALUES (70, 1, 1, '2026-03-01', NULL)");
    TMemTable *set = m_api->select_sql("X", "SELECT RECID, DATE_D, MATURITY_D FROM DOC_HEAD");
    DmRecord record;
    m_api->prepare_record(record, nullptr);
    record.table = "DOC_HEAD";
    record.id = 70;
    m_api->add_field_value(record, 0);
    m_api->add_field_value(record, 1, &set->field(1));
    m_api->add_field_value(record, 2, &set->field(2));
    record.used = 3;
    ASSERT_TRUE(m_api->put_record(pmUpdate, record));
    EXPECT_EQ(sqlite_shell("SELECT DATE_D || '|' || ifnull(MATURITY_D, 'null') FROM DOC_HEAD"),
              "2026-03-01|null");
    m_api->free_set(set);
}

TEST_F(DbApi, ReadOnlyDatabaseNeverReachesTheLibraryForAWrite)
{
    TMemTable *set = m_api->select_sql("X", "SELECT RECID, GEN_ID FROM GENER_NO WHERE RECID=1");
    set->edit();
    set->field(1).set_as_integer(99);
    m_api->read_only = true;

    DmRecord record;
    m_api->prepare_record(record, set);
    EXPECT_EQ(set->field(1).as_integer(), 0) << "the pending edit is cancelled";
    record.table = "GENER_NO";
    record.id = 1;
    m_api->add_int_value(record, 0, "GEN_ID", 99);
    record.used = 1;
    EXPECT_FALSE(m_api->put_record(pmUpdate, record));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              "Záznam nelze uložit. Datový soubor je na disku, na který nelze zapisovat!");
    EXPECT_EQ(m_messages[0].style, mbIconWarning);
    EXPECT_EQ(sqlite_shell("SELECT GEN_ID FROM GENER_NO WHERE RECID=1"), "0");
    m_api->free_set(set);
}

TEST_F(DbApi, DuplicateNumberIsReportedInCzechAndTheTransactionRolledBack)
{
    insert_partner(100, "První");
    ASSERT_TRUE(dm_start_transaction());
    exec("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (8001, 'uvnitř transakce')");
    DmRecord record;
    m_api->prepare_record(record, nullptr);
    record.table = "PAR";
    m_api->add_field_value(record, 0);
    m_api->add_int_value(record, 1, "PARTNER_NO", 100);
    record.used = 2;
    EXPECT_FALSE(m_api->put_record(pmInsert, record));

    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Číslo partnera, produktu, nebo kód měny, musí být originální. "
                                  "To, které jste zadali, je již použito.");
    EXPECT_TRUE(m_messages[0].fatal);
    EXPECT_TRUE(program_ending());
    EXPECT_FALSE(dm_in_transaction());
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR_GRP WHERE RECID=8001"), "0");
}

TEST_F(DbApi, FailedDeleteOnlyReports)
{
    DmRecord record;
    m_api->prepare_record(record, nullptr);
    record.table = "PAR";
    record.id = 987654;
    EXPECT_FALSE(m_api->put_record(pmDelete, record));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_FALSE(program_ending());
}

TEST_F(DbApi, LookupsAndValueInUse)
{
    const int first = insert_partner(1230, "Dvořák");
    insert_partner(1240, "Černý");
    EXPECT_EQ(m_api->lookup_int(first, "PAR", "PARTNER_NO"), 1230);
    EXPECT_EQ(m_api->lookup_text(first, "PAR", "PARTNER_NAME"), "Dvořák");
    EXPECT_EQ(m_api->lookup_int(999999, "PAR", "PARTNER_NO"), 0);
    EXPECT_EQ(m_api->lookup_text(999999, "PAR", "PARTNER_NAME"), "");
    EXPECT_EQ(m_api->count_rows("PAR"), 2);
    EXPECT_EQ(m_api->count_rows("PAR", "PARTNER_NO > 1235"), 1);
    EXPECT_TRUE(m_api->value_in_use(0, "1230", "PAR", "PARTNER_NO"));
    EXPECT_FALSE(m_api->value_in_use(first, "1230", "PAR", "PARTNER_NO"));
    EXPECT_FALSE(m_api->value_in_use(0, "1", "PAR", "PARTNER_NO"));
    EXPECT_TRUE(m_api->value_in_use(first, "Černý", "PAR", "PARTNER_NAME"));
}

TEST_F(DbApi, ChecksThatCannotRunNeverAnswerTheUnsafeWay)
{
    insert_partner(1230, "Dvořák");
    // Values are quoted: texts that would have broken or bent the statement are plain values.
    for (const char *value : {"", "'", "1230' OR '1'='1", "1230; DELETE FROM PAR"})
        EXPECT_FALSE(m_api->value_in_use(0, value, "PAR", "PARTNER_NO")) << value;
    EXPECT_TRUE(m_messages.empty());

    EXPECT_TRUE(m_api->value_in_use(0, "1230", "NO_SUCH_TABLE", "PARTNER_NO"));
    EXPECT_EQ(m_messages.size(), 1u) << "the refused select is reported";
    EXPECT_TRUE(m_api->value_in_use(0, "1230", "PAR WHERE 1=0 --", "PARTNER_NO"));
    EXPECT_TRUE(m_api->value_in_use(0, "1230", "PAR", "PARTNER_NO=0 OR PARTNER_NO"));

    EXPECT_EQ(m_api->count_rows("NO_SUCH_TABLE"), -1);
    EXPECT_EQ(m_api->count_rows("PAR", "PARTNER_NO >"), -1);
    EXPECT_EQ(m_api->count_rows("PAR WHERE 1=1"), -1);
    EXPECT_EQ(m_api->next_number("PARTNER_NO", "NO_SUCH_TABLE", 1000, 10), 0);
    EXPECT_EQ(m_api->next_number("PARTNER_NO", "PAR", 1000, 10, "PARTNER_NO >"), 0);
    EXPECT_EQ(m_api->next_number("PARTNER_NO)+1000000 FROM PAR --", "PAR", 1000, 10), 0);
    EXPECT_EQ(m_api->lookup_text(1, "CONF_ADDRESS WHERE 0 UNION SELECT 1, 'x' --", "NAZEV"), "");
    EXPECT_EQ(m_api->next_number("PARTNER_NO", "PAR", 1000, 10), 1240) << "the sound road";
}

TEST_F(DbApi, SortSetAddsRecidUnlessListed)
{
    for (auto [number, name] : {std::pair{3, "b"}, {1, "a"}, {2, "b"}, {4, "a"}})
        insert_partner(number, name);
    TMemTable *set = m_api->select_sql("X", "SELECT RECID, PARTNER_NO, PARTNER_NAME FROM PAR");
    auto numbers = [&] {
        std::vector<int> result;
        for (set->first(); !set->eof(); set->next())
            result.push_back(set->field(1).as_integer());
        return result;
    };
    m_api->sort_set(set, " PARTNER_NAME ", false);
    EXPECT_EQ(numbers(), (std::vector<int>{1, 4, 3, 2})) << "ties keep RECID order";
    m_api->sort_set(set, "PARTNER_NAME", true);
    EXPECT_EQ(numbers(), (std::vector<int>{2, 3, 4, 1}));
    m_api->sort_set(set, "", false);
    EXPECT_EQ(numbers(), (std::vector<int>{3, 1, 2, 4})) << "empty list: the first column";

    TMemTable *plain = m_api->select_sql("X", "SELECT PARTNER_NAME, PARTNER_NO FROM PAR");
    m_api->sort_set(plain, "PARTNER_NAME", true);
    plain->first();
    EXPECT_EQ(plain->field(0).as_string(), "b");
    m_api->sort_by_title(plain->field(1));
    plain->first();
    EXPECT_EQ(plain->field(1).as_integer(), 1);
    m_api->free_set(set);
    m_api->free_set(plain);
}

TEST_F(DbApi, FilterYearKeepsOneCalendarYear)
{
    exec("INSERT INTO TE (RECID, DATE_D, INCOME) VALUES (1, '2025-12-31', 1), (2, '2026-01-01', 2),"
         " (3, '2026-12-31', 3), (4, '2027-01-01', 4)");
    TMemTable *set = m_api->select_sql("X", "SELECT RECID, DATE_D FROM TE ORDER BY RECID");
    m_api->filter_year(set, "DATE_D", 2026);
    EXPECT_TRUE(set->filtered());
    EXPECT_EQ(set->filter_text(), "DATE_D >= '1.1.2026' and DATE_D <= '31.12.2026'");
    EXPECT_EQ(set->record_count(), 2);

    m_api->filter_year(set, "NO_SUCH_COLUMN", 2027);
    EXPECT_FALSE(set->filtered()) << "an unknown column leaves filtering off";
    EXPECT_EQ(set->record_count(), 4);
    m_api->free_set(set);
}

TEST_F(DbApi, ExportSetWritesTheStreamOrTheCurrentRow)
{
    insert_partner(7, "Svoboda");
    TMemTable *set = m_api->select_sql("X", "SELECT PARTNER_NO, PARTNER_NAME FROM PAR");
    EXPECT_EQ(m_api->export_set(set, -1, path("table.tmp")), 1);
    auto back = load_set_from_file(path("table.tmp"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->field(1).as_string(), "Svoboda");

    EXPECT_EQ(m_api->export_set(set, 0, path("row.tmp")), 1);
    QFile row(path("row.tmp"));
    ASSERT_TRUE(row.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(row.readAll()), "PARTNER_NO=7\nPARTNER_NAME=Svoboda\n");
    m_api->free_set(set);
}

TEST_F(DbApi, SecretsRoundTripAndEmptyStaysEmpty)
{
    EXPECT_EQ(m_api->encrypt_text(""), "");
    EXPECT_EQ(m_api->decrypt_text(""), "");
    // Blanks at the ends belong to a secret.
    const QString cipher = m_api->encrypt_text("  heslo Žluťoučké ");
    EXPECT_NE(cipher, "  heslo Žluťoučké ");
    EXPECT_EQ(m_api->decrypt_text(cipher), "  heslo Žluťoučké ");
    EXPECT_EQ(m_api->encrypt_text("  heslo Žluťoučké "), cipher);
    EXPECT_NE(m_api->encrypt_text("heslo Žluťoučké"), cipher);
}

TEST_F(DbApi, ForeignCurrencyFlagFollowsTheFirmsRow)
{
    EXPECT_FALSE(m_api->foreign_currency);
    exec("UPDATE CONF_ADDRESS SET FORE_CURR='T' WHERE RECID=1");
    ASSERT_TRUE(reopen());
    EXPECT_TRUE(m_api->foreign_currency);
    EXPECT_FALSE(m_api->read_only);
}

// The question for a new connection names the file and why it did not open; the user who
// cancels it ends the program without a further box.
TEST_F(DbApi, AForeignOrCorruptFileIsNamedInTheQuestionAndItsCancelEndsTheProgram)
{
    m_api->close_database();
    struct Case {
        const char *name;
        QByteArray content;
    };
    const Case cases[] = {{"corrupt", QByteArray("SQLite format 3\0", 16) + QByteArray(4000, 'x')},
                          {"text", "toto není databáze"},
                          {"empty", ""}};
    static QString detail;
    for (const Case &c : cases) {
        m_messages.clear();
        set_program_ending(false);
        detail.clear();
        QFile file(path(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        QFile cfg(app_file_path(".cfg"));
        ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
        cfg.write("sqlite:" + path(c.name).toUtf8());
        cfg.close();
        dm_set_chooser([](DmChoice, void *, const char *, const char *why, char *, int) {
            detail = QString::fromUtf8(why ? why : "");
            return 0;
        });
        EXPECT_FALSE(m_api->open_database()) << c.name;
        dm_set_chooser(nullptr);
        EXPECT_TRUE(detail.contains(path(c.name))) << detail.toStdString();
        EXPECT_TRUE(m_messages.empty()) << c.name;
        EXPECT_TRUE(program_ending());
        EXPECT_FALSE(QFile::exists(app_file_path(".cfg"))) << "the failed connection is dropped";
        EXPECT_TRUE(m_api->read_only);
    }
    set_program_ending(false);
}

TEST_F(DbApi, FirstStartCreatesADatabaseInTheUsersDataFolder)
{
    m_api->close_database();
    QFile::remove(app_file_path(".cfg"));
    ASSERT_TRUE(m_api->open_database());
    EXPECT_TRUE(QFile::exists(path("xdg/tallyra/tallyra.db")));
    QFile cfg(app_file_path(".cfg"));
    ASSERT_TRUE(cfg.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(cfg.readAll()), "sqlite:" + path("xdg/tallyra/tallyra.db"));
    EXPECT_EQ(m_api->lookup_text(1, "DOC_TYPES", "DOC_NAME"), "faktury vydané");
}

TEST_F(DbApi, TextsAreMeasuredInCharactersAndNeverCutInsideOne)
{
    exec("CREATE TABLE WIDTHS (RECID INTEGER PRIMARY KEY, SHORT VARCHAR(10), WIDE VARCHAR(64))");
    exec("INSERT INTO WIDTHS VALUES (1, '', '')");
    TMemTable *set = m_api->select_sql("X", "SELECT * FROM WIDTHS");
    ASSERT_TRUE(set);
    EXPECT_EQ(set->field(1).size(), 10);
    EXPECT_EQ(set->field(2).size(), 64);

    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const struct {
        QString typed_short;
        QString typed_wide;
        QString stored_short;
        QString stored_wide;
    } cases[] = {
        {"čtvereční", QString(64, u'ř'), "čtvereční", QString(64, u'ř')},
        {"čtverečníky", QString(65, u'ř'), "čtverečník", QString(64, u'ř')},
        {"123456789" + emoji, "", "123456789" + emoji, ""},
        {"1234567890" + emoji, "", "1234567890", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed_short.toStdString());
        set->edit();
        set->field(1).set_as_string(c.typed_short);
        set->field(2).set_as_string(c.typed_wide);
        DmRecord record;
        m_api->prepare_record(record, set);
        record.table = "WIDTHS";
        record.id = 1;
        m_api->add_field_value(record, 0);
        m_api->add_field_value(record, 1, &set->field(1));
        m_api->add_field_value(record, 2, &set->field(2));
        record.used = 3;
        ASSERT_TRUE(m_api->put_record(pmUpdate, record));
        EXPECT_EQ(sqlite_shell("SELECT SHORT || '|' || WIDE FROM WIDTHS"),
                  c.stored_short + u'|' + c.stored_wide);
        EXPECT_EQ(sqlite_shell("SELECT length(SHORT) || '|' || length(WIDE) FROM WIDTHS"),
                  QString("%1|%2").arg(c.stored_short.toUcs4().size()).arg(c.stored_wide.size()));
    }
    m_api->free_set(set);
}

TEST_F(DbApi, ALongerStoredTextSurvivesSavingItsRowForAnotherReason)
{
    exec("CREATE TABLE NOTES (RECID INTEGER PRIMARY KEY, TITLE VARCHAR(5), QTY INTEGER)");
    exec("INSERT INTO NOTES VALUES (1, 'dlouhý text z importu', 1), (2, 'ab', 2)");
    for (const char *order : {"RECID", "RECID DESC"}) {
        SCOPED_TRACE(order);
        TMemTable *set =
            m_api->select_sql("X", QString("SELECT * FROM NOTES ORDER BY %1").arg(order));
        ASSERT_TRUE(set);
        EXPECT_EQ(set->field(1).size(), 5) << "the declared width, whatever the first row holds";
        ASSERT_TRUE(set->locate("RECID", 1));
        EXPECT_EQ(set->field(1).as_string(), QString::fromUtf8("dlouhý text z importu"));
        set->edit();
        set->field(2).set_as_integer(7);
        DmRecord record;
        m_api->prepare_record(record, set);
        record.table = "NOTES";
        record.id = 1;
        m_api->add_field_value(record, 0);
        m_api->add_field_value(record, 1, &set->field(1));
        m_api->add_field_value(record, 2, &set->field(2));
        record.used = 3;
        ASSERT_TRUE(m_api->put_record(pmUpdate, record));
        ASSERT_TRUE(m_api->refresh_record(1, "NOTES", set));
        EXPECT_EQ(set->field(1).as_string(), QString::fromUtf8("dlouhý text z importu"));
        EXPECT_EQ(sqlite_shell("SELECT TITLE || '|' || QTY FROM NOTES WHERE RECID=1"),
                  QString::fromUtf8("dlouhý text z importu|7"));
        m_api->free_set(set);
    }
}

TEST_F(DbApi, ADamagedFileAfterAnUncleanEndOpensReadOnlyWithTheAdviceToRestore)
{
    const QString marker = database_path() + "-open";
    EXPECT_TRUE(QFile::exists(marker)) << "the open database is marked";
    for (int i = 0; i < 400; ++i)
        insert_partner(1000 + i, QString(60, u'x') + QString::number(i));
    ASSERT_TRUE(m_api->close_database());
    EXPECT_FALSE(QFile::exists(marker)) << "a clean close takes the mark away";

    QFile file(database_path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 page = 4096;
    ASSERT_GT(file.size(), 20 * page);
    file.seek(file.size() - 2 * page);
    file.write(QByteArray(page, '\x5a'));
    file.close();

    ASSERT_TRUE(m_api->open_database()) << "without the mark the file is taken as closed cleanly";
    EXPECT_FALSE(m_api->read_only);
    EXPECT_TRUE(m_messages.empty());
    ASSERT_TRUE(m_api->close_database());

    QFile(marker).open(QIODevice::WriteOnly);
    ASSERT_TRUE(m_api->open_database());
    EXPECT_TRUE(m_api->read_only);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_TRUE(m_messages[0].text.contains("Obnova dat ze zálohy"))
        << m_messages[0].text.toStdString();
    EXPECT_TRUE(m_messages[0].text.contains("jen pro čtení"));
    ASSERT_TRUE(m_api->close_database());
    EXPECT_TRUE(QFile::exists(marker)) << "the damaged file is checked again at the next start";
}

TEST_F(DbApi, RefreshingARowThatLeftItsViewChangesNothingAndSaysNothing)
{
    const int partner = insert_partner(1, "Novák");
    exec(QString(
             "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE) VALUES (9001, %1, 'Sídlo')")
             .arg(partner));
    TMemTable *set = m_api->select_sql("X", "SELECT * FROM VIEW_CREDIT_ADDRESS");
    ASSERT_TRUE(set && m_api->locate_recid(9001, set));
    exec("DELETE FROM PAR_ADDR WHERE RECID=9001");
    EXPECT_FALSE(m_api->refresh_record(9001, "VIEW_CREDIT_ADDRESS", set));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_api->current_recid(set), 9001);
    EXPECT_EQ(set->field_by_name("ADDRESS_TITLE").as_string(), QString::fromUtf8("Sídlo"));
    EXPECT_EQ(set->state(), TMemTable::State::Browse);
    m_api->free_set(set);
}

// The set a window keeps from partner to partner: the same object, fields and labels, the
// rows of the new condition; a select it cannot take leaves it as it was.
TEST_F(DbApi, ReselectReplacesTheRowsAndKeepsTheSet)
{
    exec("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE) VALUES "
         "(5, 1, 'T', 'Sídlo'), (6, 2, 'F', 'Sklad'), (7, 2, 'F', 'Prodejna')");
    const auto select = [](int partner) {
        return QStringLiteral("SELECT * FROM PAR_ADDR WHERE ID_PARTNER=%1 ORDER BY RECID")
            .arg(partner);
    };
    TMemTable *set = m_api->select_sql("PAR_ADDR", select(1));
    ASSERT_TRUE(set);
    TField *title = &set->field_by_name("ADDRESS_TITLE");
    const QString label = title->display_label;
    int layouts = 0;
    QObject::connect(set, &TMemTable::layout_changed, [&layouts] { ++layouts; });

    const auto titles = [set] {
        QStringList texts;
        for (set->first(); !set->eof(); set->next())
            texts << set->field_by_name("ADDRESS_TITLE").as_string();
        set->first();
        return texts;
    };
    ASSERT_TRUE(m_api->reselect_sql(set, select(2)));
    EXPECT_EQ(titles(), (QStringList{"Sklad", "Prodejna"}));
    EXPECT_EQ(m_api->current_recid(set), 6);
    EXPECT_EQ(&set->field_by_name("ADDRESS_TITLE"), title);
    EXPECT_EQ(title->display_label, label);
    EXPECT_EQ(layouts, 1);

    ASSERT_TRUE(m_api->reselect_sql(set, select(3)));
    EXPECT_TRUE(set->is_empty());
    EXPECT_EQ(m_api->current_recid(set), 0);
    ASSERT_TRUE(m_api->reselect_sql(set, select(1)));
    EXPECT_EQ(titles(), QStringList{"Sídlo"});

    const struct {
        const char *why;
        QString select;
        size_t messages;
    } refused[] = {
        {"other columns", "SELECT RECID, ADDRESS_TITLE FROM PAR_ADDR", 0},
        {"a select that fails", "SELECT * FROM PAR_ADDRESSES", 1},
    };
    for (const auto &test : refused) {
        SCOPED_TRACE(test.why);
        m_messages.clear();
        EXPECT_FALSE(m_api->reselect_sql(set, test.select));
        EXPECT_EQ(m_messages.size(), test.messages);
        EXPECT_EQ(titles(), QStringList{"Sídlo"});
    }
    set->edit();
    EXPECT_FALSE(m_api->reselect_sql(set, select(2))) << "a row being edited is not dropped";
    set->cancel();
    m_api->free_set(set);
}
