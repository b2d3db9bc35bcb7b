// Bank statements read from the tax-records book through the real windows: the review of
// the proposals, the user's changes to them, the booking and a statement read a second time.

#include "data/memtable.h"
#include "data/scoped_set.h"
#include "documents/doc_payments.h"
#include "masterdata/ui/code_list_fixture.h"
#include "support/modal_driver.h"
#include "taxrecords/ui/fbank_import.h"
#include "taxrecords/ui/fte.h"
#include "widgets/system_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

namespace {

class BankImportWindow : public CodeListFixture {
protected:
    void SetUp() override
    {
        CodeListFixture::SetUp();
        exec("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO, IBAN) VALUES "
             "(601, 'T', 'Běžný účet', '19-2000145399/0800', 'CZ6508000000192000145399')");
        add_document(1001, 1, "2026001", 1000);
        add_document(1002, 1, "2026002", 1500);
        add_document(1003, 1, "2026003", 1000);
        add_document(2001, 2, "770", 250);
        add_document(1007, 1, "2026004", 1500);
        add_document(3001, 3, "880", 300);
        m_saved_hook = set_file_dialog_hook(
            [this](QWidget *, const FileDialogRequest &) { return m_chosen_file; });
    }

    void TearDown() override
    {
        set_file_dialog_hook(m_saved_hook);
        CodeListFixture::TearDown();
    }

    void add_document(int id, int type, const char *symbol, double round_sum)
    {
        exec(QString("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, DOC_TITLE, "
                     "ALL_SUM, ROUND_SUM, CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
                     "(%1, %2, '%1', '2026-03-01', 'Doklad %1', %3, %3, 'Kč', 1, 1)")
                 .arg(id)
                 .arg(type)
                 .arg(round_sum));
        exec(QString("INSERT INTO DOC_DRS%1 (RECID, VAR_S) VALUES (%2, '%3')")
                 .arg(type)
                 .arg(id)
                 .arg(symbol));
    }

    std::unique_ptr<TfTE> open_book()
    {
        auto book = std::make_unique<TfTE>();
        book->resize(1100, 600);
        book->show();
        book->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(book.get()));
        return book;
    }

    // Reads the statement from the book; `review` acts on the review window, which is
    // cancelled unless the action closed it.
    void import_from(TfTE &book, const QString &file, std::function<void(TfBankImport &)> review)
    {
        m_chosen_file = file;
        ModalDriver::on_next_modal([review](QWidget *modal) {
            auto *window = qobject_cast<TfBankImport *>(modal);
            if (!window) {
                ADD_FAILURE() << "the modal window is not the review";
                modal->close();
                return;
            }
            review(*window);
            if (window->isVisible())
                window->reject();
        });
        book.command(TfTE::ImportBank)->trigger();
    }

    static QString cell(const TfBankImport &review, int row, int column)
    {
        return review.view()->model()->index(row, column).data().toString();
    }

    static void go_to(TfBankImport &review, int row)
    {
        review.view()->setCurrentIndex(
            review.view()->model()->index(row, BankImportModel::colDate));
    }

    // The state the document's book shows, read from the book's view.
    QString state(int id, int type)
    {
        ScopedSet row = m_api->select_scoped(
            QStringLiteral("X"),
            QStringLiteral("SELECT * FROM VIEW_DOC%1 WHERE RECID=%2").arg(type).arg(id));
        return row && !row->is_empty() ? payment_state_text(payment_state(*row.get())) : QString();
    }

    QString stored(const QString &select) const { return sqlite_shell(select).trimmed(); }

    QString m_chosen_file;
    FileDialogHook m_saved_hook;
};

const QString gpc_file = QStringLiteral(TALLYRA_BANK_FIXTURES "/statement.gpc");
const QString camt_file = QStringLiteral(TALLYRA_BANK_FIXTURES "/statement.camt.xml");

TEST_F(BankImportWindow, StatementsAreReviewedChangedAndBookedAndASecondReadingBooksNothing)
{
    auto book = open_book();
    const int rows_before = book->record_set()->record_count();
    import_from(*book, gpc_file, [](TfBankImport &review) {
        using M = BankImportModel;
        const struct {
            const char *proposal;
            const char *state;
            const char *amount;
        } expected[] = {
            {"faktura vydaná 1001", "plně uhrazeno", "1 000,00 Kč"},
            {"faktura vydaná 1002", "částečně uhrazeno", "400,00 Kč"},
            {"faktura došlá 2001", "plně uhrazeno", "-250,00 Kč"},
            {"faktura vydaná 1003", "plně uhrazeno", "1 000,00 Kč"},
            {"bez vazby", "", "200,00 Kč"},
            {"bez vazby", "", "-99,00 Kč"},
        };
        ASSERT_EQ(review.view()->model()->rowCount(), 6);
        for (int row = 0; row < 6; ++row) {
            EXPECT_EQ(cell(review, row, M::colProposal), QString::fromUtf8(expected[row].proposal));
            EXPECT_EQ(cell(review, row, M::colState), QString::fromUtf8(expected[row].state));
            EXPECT_EQ(cell(review, row, M::colAmount), QString::fromUtf8(expected[row].amount));
        }
        // The 200 left over from invoice 1003 go to invoice 1002 as the user types its number.
        go_to(review, 4);
        review.document_edit()->clear();
        QTest::keyClicks(review.document_edit(), QStringLiteral("1002"));
        QTest::keyClick(review.document_edit(), Qt::Key_Return);
        EXPECT_TRUE(review.isVisible()); // Enter assigns, it does not book
        EXPECT_EQ(cell(review, 4, M::colProposal), QStringLiteral("faktura vydaná 1002"));
        EXPECT_EQ(cell(review, 4, M::colState), QStringLiteral("částečně uhrazeno"));
        // The bank's fee gets an outcome category; only those are offered for a debit.
        go_to(review, 5);
        EXPECT_FALSE(review.book_check()->isChecked());
        const int fee = review.category_combo()->findText(QStringLiteral("Provozní režie"));
        ASSERT_GT(fee, 0);
        EXPECT_LT(
            review.category_combo()->findText(QStringLiteral("Příjmy z prodeje zboží a služeb")),
            0);
        review.category_combo()->setFocus();
        while (review.category_combo()->currentIndex() < fee)
            QTest::keyClick(review.category_combo(), Qt::Key_Down);
        EXPECT_EQ(cell(review, 5, M::colCategory), QStringLiteral("Provozní režie"));
        EXPECT_TRUE(review.book_check()->isChecked());
        // The received invoice is left for later.
        go_to(review, 2);
        QTest::keyClick(review.book_check(), Qt::Key_Space);
        EXPECT_FALSE(review.import().proposals[2].will_book());
        QTest::mouseClick(review.book_button(), Qt::LeftButton);
    });
    EXPECT_TRUE(m_messages.empty()) << m_messages[0].text.toStdString();
    EXPECT_EQ(state(1001, 1), QStringLiteral("plně uhrazeno"));
    EXPECT_EQ(state(1002, 1), QStringLiteral("částečně uhrazeno"));
    EXPECT_EQ(state(1003, 1), QStringLiteral("plně uhrazeno"));
    EXPECT_EQ(state(2001, 2), QStringLiteral("neuhrazeno"));
    EXPECT_EQ(stored("SELECT sum(INCOME) FROM TE WHERE DOC_ID = 1002"), QStringLiteral("600.0"));
    EXPECT_EQ(stored("SELECT DOC_NO || ' ' || GRP_ID || ' ' || OUTCOME FROM TE WHERE DOC_ID = 0"),
              QStringLiteral("PD1 6 99.0"));
    // The book shows what was booked.
    EXPECT_EQ(book->record_set()->record_count(), rows_before + 5);

    import_from(*book, camt_file, [](TfBankImport &review) {
        ASSERT_EQ(review.view()->model()->rowCount(), 2);
        EXPECT_EQ(cell(review, 1, BankImportModel::colProposal),
                  QStringLiteral("dobropis vydaný 3001"));
        QTest::mouseClick(review.book_button(), Qt::LeftButton);
    });
    EXPECT_EQ(state(1007, 1), QStringLiteral("plně uhrazeno"));
    EXPECT_EQ(state(3001, 3), QStringLiteral("plně uhrazeno"));

    const QString journal = stored("SELECT count(*), sum(INCOME), sum(OUTCOME) FROM TE");
    import_from(*book, gpc_file, [](TfBankImport &review) {
        // Only the movement left out before is offered again.
        for (int row : {0, 1, 3, 4})
            EXPECT_EQ(cell(review, row, BankImportModel::colProposal),
                      QStringLiteral("již zaúčtováno"));
        go_to(review, 0);
        EXPECT_FALSE(review.book_check()->isEnabled());
        EXPECT_EQ(cell(review, 2, BankImportModel::colProposal),
                  QStringLiteral("faktura došlá 2001"));
        go_to(review, 2);
        QTest::keyClick(review.book_check(), Qt::Key_Space);
        QTest::mouseClick(review.book_button(), Qt::LeftButton);
    });
    import_from(*book, camt_file, [](TfBankImport &review) {
        QTest::mouseClick(review.book_button(), Qt::LeftButton);
    });
    EXPECT_EQ(stored("SELECT count(*), sum(INCOME), sum(OUTCOME) FROM TE"), journal);
}

TEST_F(BankImportWindow, ABadFileIsRefusedNamingTheLineAndNothingIsBooked)
{
    QFile good(gpc_file);
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray bytes = good.readAll();
    bytes.replace(128 + 2 + 48, 1, "X"); // into the amount of the first movement
    QFile bad(path(QStringLiteral("bad.gpc")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(bytes);
    bad.close();

    auto book = open_book();
    m_chosen_file = bad.fileName();
    book->command(TfTE::ImportBank)->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("Řádek 2, pole „částka“")))
        << m_messages[0].text.toStdString();
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("nic nebylo zaúčtováno")));
    EXPECT_EQ(stored("SELECT count(*) FROM TE"), QStringLiteral("0"));
}

} // namespace
