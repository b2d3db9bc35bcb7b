#include "support/db_fixture.h"

#include "data/company_records.h"
#include "data/picture_box.h"

namespace {

using CompanyRecords = DbFixture;

std::vector<SeriesValues> all_series()
{
    std::vector<SeriesValues> rows;
    for (const int series : {1, 2, 3, 4, 128, 1024, 1025})
        rows.push_back({series, series * 10, 1,
                        series == 128 ? std::optional<QString>("PD") : std::nullopt, true});
    return rows;
}

} // namespace

TEST_F(CompanyRecords, SeriesAreSavedWholeOrNotAtAll)
{
    ASSERT_TRUE(save_series(*m_api, all_series()));
    EXPECT_EQ(sqlite_shell("SELECT GEN_ID || TXT FROM GENER_NO WHERE RECID=128"), "1280PD");

    // One refused row leaves every counter as it was.
    exec("CREATE TRIGGER NO_1025 BEFORE UPDATE ON GENER_NO WHEN NEW.RECID = 1025 "
         "BEGIN SELECT RAISE(ABORT, 'Řada 1025 je zamčena.'); END");
    std::vector<SeriesValues> changed = all_series();
    for (SeriesValues &row : changed)
        row.counter += 5;
    EXPECT_FALSE(save_series(*m_api, changed));
    EXPECT_EQ(sqlite_shell("SELECT group_concat(GEN_ID) FROM GENER_NO WHERE RECID IN (1, 128)"),
              "10,1280");
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back().text, QString::fromUtf8("Řada 1025 je zamčena."));
    EXPECT_FALSE(dm_in_transaction());
}

TEST_F(CompanyRecords, APictureThatCannotBeStoredLeavesNoLink)
{
    PictureBox empty;
    EXPECT_FALSE(store_firm_picture(*m_api, "LOGO_ID", &empty));
    EXPECT_EQ(sqlite_shell("SELECT ifnull(LOGO_ID, 0) FROM CONF_ADDRESS WHERE RECID=1"), "0");

    PictureBox logo;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    logo.show(picture, {});
    ASSERT_TRUE(store_firm_picture(*m_api, "LOGO_ID", &logo));
    const QString id = sqlite_shell("SELECT LOGO_ID FROM CONF_ADDRESS WHERE RECID=1");
    EXPECT_NE(id.toInt(), 0);
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM BLOBDATA WHERE RECID=" + id), "1");

    ASSERT_TRUE(unlink_firm_picture(*m_api, "LOGO_ID"));
    EXPECT_EQ(sqlite_shell("SELECT LOGO_ID FROM CONF_ADDRESS WHERE RECID=1"), "0");
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM BLOBDATA WHERE RECID=" + id), "1")
        << "the stored picture stays";
    EXPECT_FALSE(unlink_firm_picture(*m_api, "MYNAME=1, LOGO_ID"));
}
