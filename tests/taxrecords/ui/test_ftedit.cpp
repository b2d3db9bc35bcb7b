// The entry editor through its real controls: payments of documents with their direction,
// currency, limit and account, entries without a document numbered in the journal series,
// the category rule, the validation and a refused save.

#include "data/memtable.h"
#include "documents/doc_payments.h"
#include "support/modal_driver.h"
#include "taxrecords/ui/ftedit.h"
#include "taxrecords/ui/journal_fixture.h"
#include "taxrecords/ui/journal_operations.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbdate_edit.h"
#include "widgets/dbedit.h"
#include "widgets/dblookup_combo.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/values_combobox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class EntryEditor : public JournalFixture {
protected:
    // The category names the editor lists, in their order.
    static QStringList categories(const TfTeEdit &editor)
    {
        QStringList names;
        for (int item = 0; item < editor.category_combo()->count(); ++item)
            names << editor.category_combo()->itemText(item);
        return names;
    }

    static void choose_category(TfTeEdit &editor, const QString &name)
    {
        TDBLookupCombo *combo = editor.category_combo();
        const int item = combo->findText(name);
        ASSERT_GE(item, 0) << qPrintable(name);
        combo->setCurrentIndex(item);
        emit combo->activated(item);
    }

    // A new entry without a document, as the book starts one.
    int new_plain_entry(const std::function<void(TfTeEdit &)> &action)
    {
        ScopedSet set = m_api->select_scoped("VIEW_TE", "SELECT * FROM VIEW_TE WHERE RECID=0");
        set->append();
        answer_entry_editor(action);
        return new_entry(set.get(), 0);
    }
};

const QStringList income_categories = {"Příjmy z prodeje zboží a služeb",
                                       "Ostatní zdanitelné příjmy", "Nedaňové příjmy/výdaje",
                                       "Průběžné položky (převody mezi účty a pokladnou)"};

TEST_F(EntryEditor, AnIssuedInvoiceIsPaidInPartsUpToWhatRemainsInWholeCents)
{
    QString caption;
    answer_entry_editor([&](TfTeEdit &e) {
        caption = e.windowTitle();
        EXPECT_EQ(categories(e), income_categories);
        EXPECT_TRUE(e.income_frame()->isVisibleTo(&e));
        EXPECT_FALSE(e.outcome_frame()->isVisibleTo(&e));
        EXPECT_EQ(e.income_edit()->text(), QStringLiteral("865,08 Kč"));
        EXPECT_EQ(e.number_edit()->text(), QStringLiteral("2026001"));
        EXPECT_EQ(e.text_edit()->text(), QStringLiteral("Okna pro O'Briena"));
        EXPECT_EQ(e.account_combo()->currentText(), QStringLiteral("Účet u KB"));
        EXPECT_EQ(
            e.document_label()->text(),
            QStringLiteral("faktura vydaná, 1.3.2026, 2026001, 865,08 Kč, Okna pro O'Briena"));
        EXPECT_FALSE(e.currency_combo()->isEnabled());
        EXPECT_FALSE(e.rate_edit()->isVisibleTo(&e));
        type_over(&e, e.income_edit(), QStringLiteral("385,81"));
        e.ok_button()->click();
    });
    const int first = edit_payment(issued_invoice, 0);
    ASSERT_NE(first, 0);
    EXPECT_EQ(caption, QStringLiteral("Nový záznam do peněžního deníku."));

    answer_entry_editor([&](TfTeEdit &e) {
        EXPECT_EQ(e.income_edit()->text(), QStringLiteral("479,27 Kč"));
        // One cent more than remains is refused as it is typed.
        type_over(&e, e.income_edit(), QStringLiteral("479,28"));
        EXPECT_EQ(e.income_edit()->text(), QStringLiteral("479,2"));
        type_over(&e, e.income_edit(), QStringLiteral("479,27"));
        EXPECT_TRUE(e.ok_button()->isEnabled());
        e.ok_button()->click();
    });
    ASSERT_NE(edit_payment(issued_invoice, 0), 0);
    EXPECT_EQ(payment_state(865.08, document_paid(*m_api, issued_invoice, 1)), psPaid);
    EXPECT_EQ(stored("SELECT group_concat(DOC_NO||'|'||GRP_ID||'|'||CASH_ID||'|'||INCOME||'|'||"
                     "OUTCOME, ',') FROM TE"),
              QStringLiteral("2026001|1|502|385.81|0.0,2026001|1|502|479.27|0.0"));

    // Paid in full: said, and no editor opens.
    m_messages.clear();
    EXPECT_EQ(edit_payment(issued_invoice, 0), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Úhrada dokladu"));
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Tento doklad již byl celý uhrazen."));
    EXPECT_EQ(m_api->count_rows("TE"), 2);

    // A correction of the first payment may hold what it held, not more.
    answer_entry_editor([&](TfTeEdit &e) {
        caption = e.windowTitle();
        EXPECT_DOUBLE_EQ(*e.payment_limit(), 385.81);
        type_over(&e, e.income_edit(), QStringLiteral("400"));
        EXPECT_EQ(e.income_edit()->text(), QStringLiteral("40"));
        type_over(&e, e.income_edit(), QStringLiteral("300"));
        e.ok_button()->click();
    });
    EXPECT_EQ(edit_payment(issued_invoice, first), first);
    EXPECT_EQ(caption, QStringLiteral("Oprava záznamu v peněžním deníku."));
    EXPECT_EQ(stored(QString("SELECT INCOME FROM TE WHERE RECID=%1").arg(first)), "300.0");
    EXPECT_EQ(m_api->count_rows("TE"), 2);
}

TEST_F(EntryEditor, AForeignPaymentTakesTheListedRateOrElseTheDocumentsOwn)
{
    struct Case {
        int document;
        const char *currency;
        double rate;
        const char *proposal;
    };
    // EUR is listed at 24.5; GBP is not listed, so the document's 30.0 holds, never 1.0.
    const Case cases[] = {{euro_invoice, "EUR", 24.5, "1 000,00 EUR"},
                          {pound_invoice, "GBP", 30.0, "200,00 GBP"}};
    for (const Case &c : cases) {
        answer_entry_editor([&](TfTeEdit &e) {
            EXPECT_EQ(e.currency_combo()->currentData().toString(), QString::fromUtf8(c.currency));
            EXPECT_FALSE(e.currency_combo()->isEnabled());
            EXPECT_TRUE(e.rate_edit()->isVisibleTo(&e));
            EXPECT_EQ(e.income_edit()->text(), QString::fromUtf8(c.proposal));
            EXPECT_EQ(bound_field(e.rate_edit())->as_float(), c.rate);
            choose_account(e, 1);
            e.ok_button()->click();
        });
        const int id = edit_payment(c.document, 0);
        ASSERT_NE(id, 0) << c.currency;
        EXPECT_EQ(stored(QString("SELECT ORIGIN_CURR||'|'||CURR_AMOUNT||'|'||CURR_KURS FROM TE "
                                 "WHERE RECID=%1")
                             .arg(id)),
                  QString("%1|1|%2").arg(QString::fromUtf8(c.currency)).arg(c.rate, 0, 'f', 1));
    }

    // A correction keeps the stored rate, even when the list has changed since.
    exec("UPDATE CURR_LIST SET CURR_KURS=26 WHERE CURR_NAME='EUR'");
    const int euro_payment = stored("SELECT RECID FROM TE WHERE ORIGIN_CURR='EUR'").toInt();
    answer_entry_editor([&](TfTeEdit &e) {
        EXPECT_EQ(bound_field(e.rate_edit())->as_float(), 24.5);
        EXPECT_EQ(e.income_edit()->text(), QStringLiteral("1 000,00 EUR"));
        type_over(&e, e.income_edit(), QStringLiteral("900"));
        e.ok_button()->click();
    });
    EXPECT_EQ(edit_payment(euro_invoice, euro_payment), euro_payment);
    EXPECT_EQ(stored(QString("SELECT INCOME||'|'||CURR_KURS||'|'||CC_INCOME FROM TE WHERE "
                             "RECID=%1")
                         .arg(euro_payment)),
              "900.0|24.5|22050.0");
}

TEST_F(EntryEditor, AReceivedInvoiceIsPaidByAnExpenseAndACategoryAddedTakesThatDirection)
{
    answer_entry_editor([&](TfTeEdit &e) {
        EXPECT_FALSE(e.income_frame()->isVisibleTo(&e));
        EXPECT_TRUE(e.outcome_frame()->isVisibleTo(&e));
        EXPECT_EQ(e.outcome_edit()->text(), QStringLiteral("500,00 Kč"));
        EXPECT_EQ(categories(e).first(), QStringLiteral("Nákup materiálu a zboží"));
        EXPECT_FALSE(categories(e).contains(QStringLiteral("Ostatní zdanitelné příjmy")));
        answer_editor([](Tfm_listedit &list) {
            type_into(&list, QStringLiteral("GRP_NAME"), QStringLiteral("Služby 'externí'"));
            list.ok_button()->click();
        });
        e.new_category_button()->click();
        EXPECT_EQ(e.category_combo()->currentText(), QStringLiteral("Služby 'externí'"));
        EXPECT_TRUE(e.outcome_frame()->isVisibleTo(&e));
        choose_account(e, 0);
        e.ok_button()->click();
    });
    ASSERT_NE(edit_payment(received_invoice, 0), 0);
    // Both boxes were left empty: the new category holds expenses, as the payment does.
    EXPECT_EQ(
        stored("SELECT IS_INCOME||IS_OUTCOME FROM TE_GRP WHERE GRP_NAME='Služby ''externí'''"),
        "FT");
    EXPECT_EQ(
        stored("SELECT T.OUTCOME||'|'||G.GRP_NAME FROM TE T JOIN TE_GRP G ON G.RECID=T.GRP_ID"),
        "500.0|Služby 'externí'");
}

TEST_F(EntryEditor, AnEntryWithoutADocumentIsNumberedInTheJournalSeries)
{
    exec("UPDATE GENER_NO SET GEN_ID=9 WHERE RECID=128");
    const int id = new_plain_entry([](TfTeEdit &e) {
        EXPECT_EQ(e.number_edit()->text(), QStringLiteral("PD10"));
        EXPECT_EQ(e.date_edit()->date(), QDate(2026, 3, 15));
        EXPECT_EQ(e.document_label()->text(), QStringLiteral("Záznam nemá vazbu na doklad."));
        EXPECT_TRUE(e.currency_combo()->isEnabled());
        EXPECT_FALSE(e.payment_limit());
        type_over(&e, e.number_edit(), QStringLiteral("PD25"));
        type_into(&e, QStringLiteral("edit_te_text"), QStringLiteral("Tržba z pokladny č. 3"));
        choose_account(e, 0);
        type_over(&e, e.income_edit(), QStringLiteral("1 234,5"));
        ASSERT_TRUE(e.ok_button()->isEnabled());
        e.ok_button()->click();
    });
    ASSERT_NE(id, 0);
    EXPECT_EQ(stored("SELECT DOC_ID||'|'||DOC_NO||'|'||GRP_ID||'|'||TE_TEXT||'|'||INCOME FROM TE"),
              "0|PD25|1|Tržba z pokladny č. 3|1234.5");
    EXPECT_EQ(m_api->lookup_int(128, "GENER_NO", "GEN_ID"), 25);
    EXPECT_EQ(stored("SELECT count(*) FROM USER_HIST WHERE TXT='Tržba z pokladny č. 3'"), "1");
}

TEST_F(EntryEditor, TheCategoryShowsOnlyTheAmountsItHoldsAndOkWaitsForACompleteEntry)
{
    new_plain_entry([this](TfTeEdit &e) {
        type_into(&e, QStringLiteral("edit_te_text"), QStringLiteral("převod"));
        choose_account(e, 0);
        choose_category(e, QStringLiteral("Průběžné položky (převody mezi účty a pokladnou)"));
        EXPECT_TRUE(e.income_frame()->isVisibleTo(&e));
        EXPECT_TRUE(e.outcome_frame()->isVisibleTo(&e));
        EXPECT_FALSE(e.ok_button()->isEnabled()) << "no amount";

        // A minus is no part of an amount.
        type_over(&e, e.outcome_edit(), QStringLiteral("-80"));
        EXPECT_EQ(e.outcome_edit()->text(), QStringLiteral("80"));
        EXPECT_TRUE(e.ok_button()->isEnabled());

        // The expense input goes away with its amount.
        choose_category(e, QStringLiteral("Ostatní zdanitelné příjmy"));
        EXPECT_FALSE(e.outcome_frame()->isVisibleTo(&e));
        EXPECT_EQ(bound_field(e.outcome_edit())->as_float(), 0.0);
        EXPECT_FALSE(e.ok_button()->isEnabled());
        type_over(&e, e.income_edit(), QStringLiteral("50"));
        EXPECT_TRUE(e.ok_button()->isEnabled());

        struct Gap {
            const char *name;
            std::function<void()> make;
            std::function<void()> mend;
        };
        const Gap gaps[] = {
            {"no date", [&] { type_over(&e, e.date_edit(), {}); },
             [&] { type_over(&e, e.date_edit(), QStringLiteral("14.3.2026")); }},
            {"blank text", [&] { type_over(&e, e.text_edit(), QStringLiteral("  ")); },
             [&] { type_over(&e, e.text_edit(), QStringLiteral("převod")); }},
        };
        for (const Gap &gap : gaps) {
            gap.make();
            e.income_edit()->setFocus();
            EXPECT_FALSE(e.ok_button()->isEnabled()) << gap.name;
            gap.mend();
            e.income_edit()->setFocus();
            EXPECT_TRUE(e.ok_button()->isEnabled()) << gap.name;
        }
        e.ok_button()->click();
    });
    EXPECT_EQ(stored("SELECT DATE_D||'|'||INCOME||'|'||OUTCOME FROM TE"), "2026-03-14|50.0|0.0");
}

TEST_F(EntryEditor, AnAccountAddedFromTheEditorIsABankAccountAndBecomesTheEntrysAccount)
{
    new_plain_entry([](TfTeEdit &e) {
        answer_editor([](Tfm_listedit &list) {
            auto *bank = qobject_cast<TDBCheckBox *>(list.control_of(QStringLiteral("IS_BANK")));
            ASSERT_NE(bank, nullptr);
            EXPECT_TRUE(bank->isChecked());
            EXPECT_FALSE(bank->isEnabled());
            type_into(&list, QStringLiteral("MNAME"), QStringLiteral("Fio účet"));
            type_into(&list, QStringLiteral("MNO"), QStringLiteral("2400/2010"));
            type_into(&list, QStringLiteral("MADDRESS"), QStringLiteral("Praha"));
            type_into(&list, QStringLiteral("SWIFT"), QStringLiteral("FIOBCZPP"));
            type_into(&list, QStringLiteral("IBAN"), QStringLiteral("CZ65"));
            list.ok_button()->click();
        });
        e.new_account_button()->click();
        EXPECT_EQ(e.account_combo()->currentText(), QStringLiteral("Fio účet"));
        type_into(&e, QStringLiteral("edit_te_text"), QStringLiteral("vklad"));
        type_over(&e, e.income_edit(), QStringLiteral("10"));
        e.ok_button()->click();
    });
    EXPECT_EQ(stored("SELECT B.MNAME||'|'||B.IS_BANK FROM TE T JOIN CONF_BANKCASH B ON "
                     "B.RECID=T.CASH_ID"),
              "Fio účet|T");
}

TEST_F(EntryEditor, ACategoryAddedFromACorrectionHoldsWhatTheEntryHolds)
{
    const int id = add_entry("2026-03-10", "PD1", 3, 0, 70);
    ScopedSet set = m_api->select_scoped("VIEW_TE", "SELECT * FROM VIEW_TE");
    ASSERT_TRUE(m_api->locate_recid(id, set.get()));
    answer_entry_editor([](TfTeEdit &e) {
        answer_editor([](Tfm_listedit &list) {
            for (const char *flag : {"IS_INCOME", "IS_OUTCOME"}) {
                auto *box = qobject_cast<TDBCheckBox *>(list.control_of(QLatin1String(flag)));
                ASSERT_NE(box, nullptr) << flag;
                EXPECT_FALSE(box->isEnabled()) << flag;
                EXPECT_EQ(box->isChecked(), QLatin1String(flag) == "IS_OUTCOME") << flag;
            }
            type_into(&list, QStringLiteral("GRP_NAME"), QStringLiteral("Opravy"));
            list.ok_button()->click();
        });
        e.new_category_button()->click();
        EXPECT_EQ(e.category_combo()->currentText(), QStringLiteral("Opravy"));
        e.ok_button()->click();
    });
    EXPECT_EQ(edit_entry(set.get()), id);
    EXPECT_EQ(stored("SELECT G.GRP_NAME||'|'||G.IS_INCOME||G.IS_OUTCOME||'|'||T.OUTCOME FROM TE T "
                     "JOIN TE_GRP G ON G.RECID=T.GRP_ID"),
              "Opravy|FT|70.0");
}

TEST_F(EntryEditor, AnUnknownEntryIsSaidAndNothingIsCreated)
{
    EXPECT_EQ(edit_payment(issued_invoice, 123456), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Záznam neexistuje!"));
    EXPECT_EQ(m_api->count_rows("TE"), 0);
    EXPECT_EQ(delete_payment(123456), 0);
}

TEST_F(EntryEditor, ARefusedSaveKeepsTheEditorOpenWithTheInput)
{
    exec("CREATE TRIGGER REFUSE BEFORE INSERT ON TE BEGIN SELECT RAISE(ABORT, 'plný disk'); END");
    bool still_open = false;
    answer_entry_editor([&](TfTeEdit &e) {
        type_over(&e, e.income_edit(), QStringLiteral("100"));
        e.ok_button()->click();
        still_open = e.isVisible();
        EXPECT_EQ(bound_field(e.income_edit())->as_float(), 100.0);
    });
    EXPECT_EQ(edit_payment(issued_invoice, 0), 0);
    EXPECT_TRUE(still_open);
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back().text, QStringLiteral("Záznam se nepodařilo uložit!"));
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(m_api->count_rows("TE"), 0);
}

TEST_F(EntryEditor, DeletingAPaymentAsksFirstAndTakesItsVoucherWithIt)
{
    const int id = add_entry("2026-03-10", "2026001", 1, 100, 0, "Kč", 1.0, issued_invoice);
    exec(QString("INSERT INTO TE_CASH VALUES(null, %1, 'T', 1, '2026-03-10', 't', 'n', 'a')")
             .arg(id));
    m_answer = mrNo;
    EXPECT_EQ(delete_payment(id), 0);
    EXPECT_EQ(m_api->count_rows("TE"), 1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Pozor!"));
    EXPECT_EQ(m_messages[0].text,
              QStringLiteral("Opravdu chcete vymazat vybraný záznam v peněžním deníku / úhradu?"));
    EXPECT_EQ(m_messages[0].style, mbYesNo | mbIconWarning | mbDefaultNo);
    m_answer = mrYes;
    EXPECT_EQ(delete_payment(id), id);
    EXPECT_EQ(m_api->count_rows("TE"), 0);
    EXPECT_EQ(m_api->count_rows("TE_CASH"), 0);
}

} // namespace
