#include "taxrecords/ui/journal_fixture.h"

#include "support/modal_driver.h"
#include "taxrecords/ui/fpretedoc.h"
#include "taxrecords/ui/ftedit.h"
#include "widgets/dblookup_combo.h"

#include <QLineEdit>
#include <QTest>

namespace {

template <typename Window> void answer(const std::function<void(Window &)> &action)
{
    ModalDriver::on_next_modal([action](QWidget *modal) {
        auto *window = qobject_cast<Window *>(modal);
        if (!window) {
            ADD_FAILURE() << "the modal window is not the one expected";
            modal->close();
            return;
        }
        action(*window);
        if (window->isVisible())
            window->reject();
    });
}

} // namespace

void JournalFixture::SetUp()
{
    CodeListFixture::SetUp();
    exec("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME) VALUES "
         "(501, 'F', 'Pokladna'), (502, 'T', 'Účet u KB')");
    add_document(issued_invoice, 1, 2026001, 865.08, "Kč", 1.0);
    exec("INSERT INTO DOC_DRS1 (RECID, ID_BANK) VALUES (700, 502)");
    add_document(euro_invoice, 1, 2026002, 1000, "EUR", 25.0);
    add_document(received_invoice, 2, 17, 500, "Kč", 1.0);
    add_document(pound_invoice, 1, 2026003, 200, "GBP", 30.0);
}

void JournalFixture::add_document(int id, int type, int number, double round_sum,
                                  const char *currency, double rate)
{
    exec(QString("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, DOC_TITLE, ALL_SUM, "
                 "ROUND_SUM, CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES (%1, %2, %3, '2026-03-01', "
                 "'Okna pro O''Briena', %4, %4, '%5', 1, %6)")
             .arg(id)
             .arg(type)
             .arg(number)
             .arg(round_sum)
             .arg(QString::fromUtf8(currency))
             .arg(rate));
}

int JournalFixture::add_entry(const QString &date, const QString &number, int category,
                              double income, double outcome, const char *currency, double rate,
                              int document)
{
    const int id = m_api->new_recid();
    exec(QString("INSERT INTO TE (RECID, DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, CASH_ID, "
                 "ORIGIN_CURR, CURR_AMOUNT, CURR_KURS, INCOME, OUTCOME) VALUES (%1, %2, '%3', "
                 "'%4', %5, 'záznam %4', 501, '%6', 1, %7, %8, %9)")
             .arg(id)
             .arg(document)
             .arg(date, number)
             .arg(category)
             .arg(QString::fromUtf8(currency))
             .arg(rate)
             .arg(income)
             .arg(outcome));
    return id;
}

void answer_entry_editor(const std::function<void(TfTeEdit &)> &action)
{
    answer<TfTeEdit>(action);
}

void answer_voucher_dialog(const std::function<void(TfPreTeDoc &)> &action)
{
    answer<TfPreTeDoc>(action);
}

void choose_account(TfTeEdit &editor, int row)
{
    editor.account_combo()->setCurrentIndex(row);
    emit editor.account_combo()->activated(row);
}

void type_over(QWidget *window, QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    type_into(window, edit->objectName(), text);
}
