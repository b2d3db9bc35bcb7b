#include "support/db_fixture.h"

#include "masterdata/partner_details.h"

namespace {

class PartnerDetails : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        m_partner = insert_partner(1, QString::fromUtf8("Novák"));
    }

    ScopedSet detail_set(PartnerDetail detail)
    {
        return m_api->select_scoped(partner_detail_table(detail).table,
                                    partner_detail_select(detail, m_partner));
    }

    int m_partner = 0;
};

} // namespace

TEST_F(PartnerDetails, RowsAreStoredVerbatimUnderThePartnerAndCorrected)
{
    const QString title = QString::fromUtf8("Sklad \"Jih\" – O'Neill, Žďár ") + QString(30, u'x');
    const QString memo = QString(200, QChar(u'ů'));
    ScopedSet set = detail_set(PartnerDetail::Address);
    set->append();
    set->field_by_name("ADDRESS_TITLE").set_as_string(title);
    set->field_by_name("IS_INVOICE").set_as_string("T");
    set->field_by_name("ADDR_MEMO").set_as_string(memo);
    const int id = save_partner_detail(*m_api, PartnerDetail::Address, *set.get(), 0, m_partner);
    ASSERT_GT(id, 0);
    EXPECT_EQ(m_api->lookup_text(id, "PAR_ADDR", "ADDRESS_TITLE"), title);
    EXPECT_EQ(m_api->lookup_text(id, "PAR_ADDR", "ADDR_MEMO"), memo);
    EXPECT_EQ(m_api->lookup_int(id, "PAR_ADDR", "ID_PARTNER"), m_partner);

    set->field_by_name("CITY").set_as_string(QString::fromUtf8("Brno"));
    EXPECT_EQ(save_partner_detail(*m_api, PartnerDetail::Address, *set.get(), id, m_partner), id);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) || CITY FROM PAR_ADDR"), "1Brno");
}

TEST_F(PartnerDetails, RequiredColumnsMustHoldMoreThanBlanks)
{
    struct Case {
        PartnerDetail detail;
        QStringList values; // for the required columns, in order
        bool complete;
    } cases[] = {
        {PartnerDetail::Address, {"   "}, false},
        {PartnerDetail::Address, {"Sídlo"}, true},
        {PartnerDetail::Contact, {"e-mail", ""}, false},
        {PartnerDetail::Contact, {"", "Jana"}, false},
        {PartnerDetail::Contact, {"e-mail", "Jana"}, true},
        {PartnerDetail::Bank, {" \t"}, false},
        {PartnerDetail::Bank, {"Účet"}, true},
    };
    for (const Case &c : cases) {
        ScopedSet set = detail_set(c.detail);
        set->append();
        const QStringList &required = partner_detail_table(c.detail).required;
        ASSERT_EQ(required.size(), c.values.size());
        for (int i = 0; i < required.size(); ++i)
            set->field_by_name(required[i]).set_as_string(c.values[i]);
        EXPECT_EQ(partner_detail_complete(c.detail, *set.get()), c.complete)
            << c.values.join('|').toStdString();
    }
}

TEST_F(PartnerDetails, DeletingAsksWithTheRowsNameAndKeepsAnAddressOnDocuments)
{
    exec(QStringLiteral("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE) VALUES "
                        "(9001, %1, 'Sídlo'), (9002, %1, 'Sklad')")
             .arg(m_partner));
    exec(QStringLiteral("INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_TYPE, CONTACT_NAME) "
                        "VALUES (9003, %1, 'e-mail', 'Jana')")
             .arg(m_partner));
    exec(QStringLiteral("INSERT INTO PAR_BANK (RECID, ID_PARTNER, BANK_TITLE) VALUES "
                        "(9004, %1, 'Účet')")
             .arg(m_partner));
    exec("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS) VALUES (9005, 1, 1, 9001)");
    m_answer = mrYes;
    struct Case {
        PartnerDetail detail;
        const char *question;
        int deleted;
    } cases[] = {
        {PartnerDetail::Address, "Opravdu  vymazat vybranou adresu partnera?\r\nSídlo", 0},
        {PartnerDetail::Contact, "Opravdu  vymazat vybraný kontakt na partnera?\r\ne-mail - Jana",
         9003},
        {PartnerDetail::Bank, "Opravdu  vymazat vybrané bankovní spojení na partnera?\r\nÚčet",
         9004},
    };
    for (const Case &c : cases) {
        m_messages.clear();
        ScopedSet set = detail_set(c.detail);
        const int rows = set->record_count();
        EXPECT_EQ(delete_partner_detail(*m_api, c.detail, set.get()), c.deleted);
        ASSERT_GE(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, QString::fromUtf8(c.question));
        EXPECT_EQ(m_messages[0].help_topic, 2013);
        EXPECT_EQ(set->record_count(), c.deleted ? rows - 1 : rows);
    }
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR_ADDR WHERE RECID=9001"), "1");
}

TEST_F(PartnerDetails, ContactTypesPresetANewContact)
{
    struct Case {
        const char *type;
        std::optional<QString> preset;
    } cases[] = {
        {"www", QStringLiteral("http://")}, {"WWW stránky", QStringLiteral("http://")},
        {"E-mail", QStringLiteral("@")},    {"pracovní e-mail", QStringLiteral("@")},
        {"telefon", std::nullopt},          {"web www", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(contact_preset(QString::fromUtf8(c.type)), c.preset) << c.type;
    EXPECT_EQ(contact_item(QStringLiteral("mobil"), QStringLiteral("Jana")),
              QStringLiteral("mobil - Jana"));
}
