#include "masterdata/cnb_fixture.h"
#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/fcnbrates.h"
#include "masterdata/ui/flist.h"
#include "masterdata/ui/masterdata_windows.h"
#include "support/modal_driver.h"
#include "widgets/dbgrid.h"
#include "widgets/system_dialogs.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

class CnbRatesWindow : public CodeListFixture {
protected:
    QString rates() const
    {
        return sqlite_shell("SELECT group_concat(CURR_NAME||' '||CURR_AMOUNT||' '||CURR_KURS, "
                            "';') FROM CURR_LIST");
    }

    static QStringList result_rows(const Tfm_cnbrates &window)
    {
        QStringList rows;
        TMemTable *set = window.result_set();
        for (int row = 0; row < set->record_count(); ++row)
            rows << QStringLiteral("%1|%2|%3|%4")
                        .arg(set->cell_text(row, 0), set->cell_text(row, 1), set->cell_text(row, 2),
                             set->cell_text(row, 3));
        return rows;
    }
};

} // namespace

TEST_F(CnbRatesWindow, TheDaysRatesAreDownloadedIntoTheListedCurrencies)
{
    exec("INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_TITLE, CURR_AMOUNT, CURR_KURS) VALUES "
         "(3, 'Kč', 'koruna', 1, 1)");
    RateFileServer server;
    Tfm_cnbrates window(server.address("/daily.txt"));
    window.show();
    m_answer = mrNo;
    window.download_button()->click();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              QStringLiteral("Kurzovní lístek ČNB obsahuje i měny, které v kurzovním lístku "
                             "nemáte:\r\nAUD (Austrálie, dolar), JPY (Japonsko, jen)\r\n\r\n"
                             "Přidat je do kurzovního lístku?"));
    EXPECT_EQ(m_messages[0].style, 292);
    EXPECT_EQ(window.date_label()->text(),
              QStringLiteral("Kurzy ČNB platné pro den 9. 12. 2026 (lístek č. 238)"));
    EXPECT_EQ(result_rows(window), QStringList({"EUR|24,500|24,285|", "USD|21,500|20,874|",
                                                "Kč|||ČNB tuto měnu nevyhlašuje, kurz zůstal"}));
    EXPECT_EQ(rates(), "EUR 1.0 24.285;USD 1.0 20.874;Kč 1.0 1.0");
    EXPECT_TRUE(window.changed());

    m_answer = mrYes;
    window.download_button()->click();
    EXPECT_EQ(result_rows(window).mid(2, 2),
              QStringList({"AUD||15,123|měna přidána", "JPY||14,120 za 100|měna přidána"}));
    EXPECT_EQ(result_rows(window).value(0), "EUR|24,285|24,285|beze změny");
}

TEST_F(CnbRatesWindow, AFileThatIsNotTheBanksOrNoAnswerChangesNothing)
{
    RateFileServer server;
    const QString before = rates();
    {
        Tfm_cnbrates window(server.address("/missing"));
        window.download_button()->click();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text,
                  QStringLiteral("Kurzovní lístek na adrese %1 nebyl nalezen (HTTP 404).")
                      .arg(server.address("/missing").toString()));
        EXPECT_TRUE(window.result_set()->is_empty());
        EXPECT_FALSE(window.changed());
    }
    m_messages.clear();
    const FileDialogHook saved = set_file_dialog_hook([](QWidget *, const FileDialogRequest &) {
        return QStringLiteral(TALLYRA_CNB_FIXTURES "/unit_zero.txt");
    });
    Tfm_cnbrates window(server.address("/daily.txt"));
    window.file_button()->click();
    set_file_dialog_hook(saved);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              QStringLiteral("Soubor není platný kurzovní lístek ČNB, kurzy zůstaly beze změny."
                             "\r\nŘádek 4: množství „0“ u měny JPY není kladné celé číslo."));
    EXPECT_EQ(rates(), before);
    EXPECT_FALSE(window.changed());
}

TEST_F(CnbRatesWindow, TheCurrencyListOffersTheImport)
{
    register_masterdata_windows();
    Tfm_list currencies(QStringLiteral("CURR_LIST"), QStringLiteral("SELECT * FROM CURR_LIST"),
                        QStringLiteral("Kurzovní lístek"), 402);
    QAction *import = nullptr;
    for (QAction *action : currencies.context_menu()->actions())
        if (action->text() == QStringLiteral("Načíst kurzy ČNB"))
            import = action;
    ASSERT_NE(import, nullptr);

    // The list shows the new rates as soon as the import window closes.
    m_answer = mrNo;
    ModalDriver::on_next_modal([](QWidget *modal) {
        auto *rates = qobject_cast<Tfm_cnbrates *>(modal);
        ASSERT_NE(rates, nullptr);
        rates->import_rates(cnb_fixture("daily.txt"));
        rates->accept();
    });
    import->trigger();
    TMemTable *set = currencies.record_set();
    ASSERT_TRUE(set->locate("CURR_NAME", QStringLiteral("EUR")));
    EXPECT_DOUBLE_EQ(set->field_by_name("CURR_KURS").as_float(), 24.285);

    Tfm_list units(QStringLiteral("PRO_UNITS"), QStringLiteral("SELECT * FROM PRO_UNITS"),
                   QStringLiteral("Měrné jednotky"), 408);
    for (QAction *action : units.context_menu()->actions())
        EXPECT_NE(action->text(), QStringLiteral("Načíst kurzy ČNB"));
}
