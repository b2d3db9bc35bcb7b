#include "support/db_fixture.h"

#include "data/messages.h"
#include "masterdata/partners.h"

namespace {

using Partners = DbFixture;

const QString duplicate_text = QString::fromUtf8("Číslo partnera je již použito, zadejte jiné.");

// A VIEW_PAR row being added, as the partner editor leaves it.
ScopedSet new_partner_row(TdbAPI &api, int number, const QString &name)
{
    ScopedSet set =
        api.select_scoped(QStringLiteral("VIEW_PAR"), QStringLiteral("SELECT * FROM VIEW_PAR"));
    set->append();
    set->field_by_name(QStringLiteral("PARTNER_NO")).set_as_integer(number);
    set->field_by_name(QStringLiteral("PARTNER_NAME")).set_as_string(name);
    set->field_by_name(QStringLiteral("IS_VAT")).set_as_string(QStringLiteral("F"));
    return set;
}

} // namespace

TEST_F(Partners, NumbersStartAtTheSeriesAndFollowTheHighest)
{
    EXPECT_EQ(next_partner_number(*m_api), 1);
    exec("UPDATE GENER_NO SET GEN_ID=100, INCREMENT_ID=10 WHERE RECID=1024");
    EXPECT_EQ(next_partner_number(*m_api), 100);
    insert_partner(120, "Novák");
    insert_partner(3, "Dvořák");
    // Free numbers below the highest are not reused.
    EXPECT_EQ(next_partner_number(*m_api), 130);
    exec("DELETE FROM PAR WHERE PARTNER_NO=120");
    // Never below the series' first number.
    EXPECT_EQ(next_partner_number(*m_api), 100);
    // A step of nothing would offer the highest number again.
    exec("UPDATE GENER_NO SET GEN_ID=1, INCREMENT_ID=0 WHERE RECID=1024");
    EXPECT_EQ(next_partner_number(*m_api), 4);
}

TEST_F(Partners, ANumberIsInUseOnlyWhenAnotherPartnerHoldsIt)
{
    const int novak = insert_partner(5, "Novák");
    const int dvorak = insert_partner(6, "Dvořák");
    struct Case {
        int recid;
        const char *number;
        bool in_use;
    } cases[] = {
        {0, "5", true},          {novak, "5", false}, {dvorak, "5", true},
        {novak, " 6 ", true},    {0, "7", false},     {0, "5' OR '1'='1", false},
        {0, "7); DROP TABLE PAR; --", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(partner_number_in_use(*m_api, c.recid, QString::fromUtf8(c.number)), c.in_use)
            << c.number << " for " << c.recid;
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR"), "2");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Partners, DefaultTypeFollowsTheDocumentType)
{
    struct Case {
        const char *types; // one letter pair per type: customer, supplier
        int doc_type;
        int expected; // RECID = position + 1
    } cases[] = {
        {"TF FT TT", 0, 3}, {"TF FT TT TT", 0, 3}, {"TF FT", 0, 2}, {"", 0, 0},
        {"FT TF TT", 1, 2}, {"FT FF", 1, 0},       {"", 1, 0},      {"TF TT FT", 2, 2},
        {"TF FF", 2, 0},    {"FT TF", 3, 1},       {"", 4, 0},
    };
    for (const Case &c : cases) {
        exec("DELETE FROM PAR_TYPE");
        const QStringList pairs = QString::fromLatin1(c.types).split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < pairs.size(); ++i)
            exec(QStringLiteral("INSERT INTO PAR_TYPE VALUES (%1, 'typ %1', '%2', '%3')")
                     .arg(i + 1)
                     .arg(pairs[i][0])
                     .arg(pairs[i][1]));
        const ScopedSet types = m_api->select_scoped(
            QStringLiteral("PAR_TYPE"), QStringLiteral("SELECT * FROM PAR_TYPE ORDER BY RECID"));
        const int type = default_partner_type(*types.get(), c.doc_type);
        EXPECT_EQ(type, c.expected) << c.types << " for document " << c.doc_type;
        EXPECT_EQ(partner_type_missing(c.doc_type, type),
                  (c.doc_type == 1 || c.doc_type == 2) && c.expected == 0);
    }
}

TEST_F(Partners, SavedPartnerKeepsItsTextsAndADuplicateNumberWritesNothing)
{
    const QString name = QString::fromUtf8("Pekárna \"U Šťastného\" s.r.o. - O'Brien & syn ") +
                         QString(80, QChar(u'ř'));
    ScopedSet set = new_partner_row(*m_api, 7, name);
    set->field_by_name(QStringLiteral("PARTNER_MEMO")).set_as_string(QString(200, QChar(u'\'')));
    const int id = save_partner(*m_api, *set.get(), 0);
    ASSERT_GT(id, 0);
    EXPECT_EQ(m_api->lookup_text(id, "PAR", "PARTNER_NAME"), name);
    EXPECT_EQ(m_api->lookup_text(id, "PAR", "PARTNER_MEMO"), QString(200, QChar(u'\'')));
    set->post();

    ScopedSet second = new_partner_row(*m_api, 7, QStringLiteral("Druhý"));
    EXPECT_EQ(save_partner(*m_api, *second.get(), 0), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Chyba!"));
    EXPECT_EQ(m_messages[0].text, duplicate_text);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR"), "1");

    // A correction that keeps its own number passes.
    EXPECT_EQ(save_partner(*m_api, *set.get(), id), id);
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(Partners, ARefusedSaveIsReportedWithoutEndingTheProgram)
{
    exec("CREATE TRIGGER NO_PAR BEFORE INSERT ON PAR BEGIN "
         "SELECT RAISE(ABORT, 'Zápis odmítnut.'); END");
    ScopedSet set = new_partner_row(*m_api, 8, QStringLiteral("Novák"));
    EXPECT_EQ(save_partner(*m_api, *set.get(), 0), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_TRUE(m_messages[0].text.contains(QString::fromUtf8("Zápis odmítnut.")));
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(set->state(), TMemTable::State::Insert);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR"), "0");
}

TEST_F(Partners, DeletingAPartnerTakesItsRowsUnlessDocumentsHoldIt)
{
    const int kept = insert_partner(1, "Novák");
    const int gone = insert_partner(2, "Dvořák");
    exec(QStringLiteral("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE) VALUES "
                        "(9001, %1, 'Sídlo'), (9002, %2, 'Sklad')")
             .arg(kept)
             .arg(gone));
    exec(QStringLiteral("INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_NAME) VALUES "
                        "(9003, %1, 'Jana')").arg(gone));
    exec(QStringLiteral("INSERT INTO PAR_BANK (RECID, ID_PARTNER, BANK_TITLE) VALUES "
                        "(9004, %1, 'Účet')").arg(gone));
    exec("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS) VALUES (9005, 1, 1, 9001)");
    ScopedSet set = m_api->select_scoped("VIEW_PAR", "SELECT * FROM VIEW_PAR ORDER BY PARTNER_NO");
    m_answer = mrYes;

    EXPECT_EQ(delete_partner(*m_api, set.get()), 0);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Pozor!"));
    EXPECT_EQ(m_messages[0].text,
              QString::fromUtf8("Opravdu  vymazat vybraného partnera a všechny jeho záznamy?"));
    EXPECT_EQ(m_messages[0].style, mbYesNo | mbDefaultNo | mbIconWarning);
    EXPECT_EQ(m_messages[1].text,
              QString::fromUtf8("Partnera nelze vymazat, jsou k němu uloženy doklady."));
    EXPECT_FALSE(m_messages[1].fatal);
    EXPECT_EQ(set->record_count(), 2);

    set->next();
    EXPECT_EQ(delete_partner(*m_api, set.get()), gone);
    EXPECT_EQ(set->record_count(), 1);
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT (SELECT COUNT(*) FROM PAR_ADDR) || (SELECT "
                                          "COUNT(*) FROM PAR_CONTACT) || (SELECT COUNT(*) FROM "
                                          "PAR_BANK) || (SELECT COUNT(*) FROM PAR)")),
              "1001");

    m_answer = mrNo;
    EXPECT_EQ(delete_partner(*m_api, set.get()), 0);
    EXPECT_EQ(set->record_count(), 1);
}
