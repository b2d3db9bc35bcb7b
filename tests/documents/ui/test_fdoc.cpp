// The document books through their real widgets: what they show of each type, the payment
// state and the amount still to pay, the enabling of the commands, the sending guard, the
// keys and the search.

#include "data/scoped_hook.h"
#include "documents/doc_types.h"
#include "documents/ui/document_book_fixture.h"
#include "documents/ui/fdoc.h"
#include "masterdata/ui/frsearch.h"
#include "reports/report_state.h"
#include "support/modal_driver.h"
#include "widgets/command_registry.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"
#include "widgets/system_dialogs.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

class DocumentBook : public DocumentBookFixture {
protected:
    std::unique_ptr<TfDoc> open_book(int type, int record_id = 0)
    {
        auto window = std::make_unique<TfDoc>(type, record_id);
        window->resize(1100, 700);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->grid()->setFocus();
        return window;
    }
};

QColor text_color(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

int column_of(const TDBGrid &grid, const QString &field)
{
    for (int column = 0; column < grid.table_model().columnCount(); ++column)
        if (grid.column_field(column)->name() == field)
            return column;
    return -1;
}

// What a window host is told to do later; the book's refresh posts its reopening.
class RecordingHost : public WindowHost {
public:
    void post_command(MainCommand code, const QVariant &param) override
    {
        posted.push_back({code, param.toInt()});
    }
    std::vector<std::pair<MainCommand, int>> posted;
};

} // namespace

TEST_F(DocumentBook, EachTypeHasItsCaptionColourHelpAndTheGridRules)
{
    struct Case {
        int type;
        const char *caption;
        QColor color;
        int topic;
    };
    const Case cases[] = {
        {1, "faktury vydané - seznam", QColor(0, 0, 255), 303},
        {2, "faktury došlé - seznam", QColor(255, 0, 0), 304},
        {3, "dobropisy vydané - seznam", QColor(0, 128, 0), 305},
        {4, "dobropisy došlé - seznam", QColor(128, 128, 128), 305},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        add_document(c.type, 20260002, 100);
        add_document(c.type, 20260001, 200);
        auto window = open_book(c.type);
        EXPECT_EQ(window->objectName(), QStringLiteral("DOC%1").arg(c.type));
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(window->caption_label()->text(),
                  QString::fromUtf8(c.caption) + QString(24, u' '));
        EXPECT_EQ(text_color(window->caption_label()), c.color);
        EXPECT_TRUE(window->caption_label()->font().bold());
        EXPECT_EQ(help_topic(window->grid()), c.topic);

        TMemTable *set = window->record_set();
        ASSERT_TRUE(set);
        EXPECT_EQ(set->field_by_name("DOC_NO").display_label, QStringLiteral("Doklad"))
            << "the captions of every book are those of VIEW_DOC";
        ASSERT_EQ(set->record_count(), 2);
        EXPECT_EQ(set->field_by_name("DOC_NO").as_integer(), 20260001) << "ordered by number";
        const TDBGrid &grid = *window->grid();
        for (const char *hidden : {"RECID", "ID_DOC_TYPE", "DISCOUNT", "ID_DOCSTATE", "ID_ADDRESS"})
            EXPECT_EQ(column_of(grid, QLatin1String(hidden)), -1) << hidden;
        const int date_width =
            std::max(72, grid.fontMetrics().horizontalAdvance(QStringLiteral("28.12.2026")) + 12);
        EXPECT_EQ(grid.columnWidth(column_of(grid, "DATE_D")), date_width);
        EXPECT_EQ(grid.columnWidth(column_of(grid, "MATURITY_D")), date_width);
        EXPECT_EQ(grid.columnWidth(column_of(grid, "DOC_TITLE")), 128);
        for (int column = 0; column < grid.table_model().columnCount(); ++column)
            EXPECT_LE(grid.columnWidth(column), 208);
        const int round_sum = column_of(grid, "ROUND_SUM");
        EXPECT_NE(grid.itemDelegateForColumn(round_sum), nullptr) << "drawn in bold";
        EXPECT_TRUE(grid.horizontalHeader()->font().bold());
        EXPECT_EQ(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        exec(QStringLiteral("DELETE FROM DOC_HEAD"));
    }
}

// Whether a document is paid is decided in whole cents; what is left shows in red with its
// currency, nothing left as "uhrazeno" in green, an overpayment as a negative amount.
TEST_F(DocumentBook, AmountStillToPayAndStateAreDecidedInWholeCents)
{
    const QColor red(255, 0, 0), green(0, 128, 0), purple(128, 0, 128);
    struct Case {
        const char *name;
        int type;
        double round_sum;
        std::vector<std::pair<double, double>> payments; // income, outcome
        const char *remaining;
        const char *currency;
        QColor remaining_color;
        const char *state;
        QColor state_color;
    };
    const Case cases[] = {
        {"two parts", 1, 1000, {{400, 0}, {600, 0}}, "uhrazeno", "", green, "plně uhrazeno", green},
        {"one part", 1, 1000, {{400, 0}}, "600,00", "Kč", red, "částečně uhrazeno", purple},
        {"cents that doubles miss",
         1,
         865.08,
         {{385.81, 0}, {479.27, 0}},
         "uhrazeno",
         "",
         green,
         "plně uhrazeno",
         green},
        {"overpaid", 1, 1000, {{1200, 0}}, "-200,00", "Kč", red, "plně uhrazeno", green},
        {"unpaid", 1, 1234567.5, {}, "1 234 567,50", "Kč", red, "neuhrazeno", red},
        {"received, paid out",
         2,
         500,
         {{0, 500}, {30, 0}},
         "uhrazeno",
         "",
         green,
         "plně uhrazeno",
         green},
        {"issued credit note",
         3,
         200,
         {{0, 150.5}},
         "49,50",
         "Kč",
         red,
         "částečně uhrazeno",
         purple},
        {"received credit note", 4, 100, {{0, 100}}, "100,00", "Kč", red, "neuhrazeno", red},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const int document = add_document(c.type, 1, c.round_sum);
        for (const auto &[income, outcome] : c.payments)
            pay(document, income, outcome);
        auto window = open_book(c.type);
        window->pages()->setCurrentIndex(TfDoc::PaymentsPage);
        EXPECT_EQ(window->remaining_label()->text(), QString::fromUtf8(c.remaining));
        EXPECT_EQ(window->remaining_currency_label()->text(), QString::fromUtf8(c.currency));
        EXPECT_EQ(text_color(window->remaining_label()), c.remaining_color);
        EXPECT_EQ(window->state_label()->text(), QString::fromUtf8(c.state));
        EXPECT_EQ(text_color(window->state_label()), c.state_color);
        ASSERT_TRUE(window->payment_set());
        EXPECT_EQ(window->payment_set()->field_by_name("MNAME").display_label,
                  QStringLiteral("Účet, pokladna"));
        EXPECT_EQ(window->payment_set()->record_count(), int(c.payments.size()));
        EXPECT_FALSE(window->payment_grid()->horizontalHeader()->isVisible());
        window.reset();
        exec(QStringLiteral("DELETE FROM TE; DELETE FROM DOC_HEAD"));
    }
}

TEST_F(DocumentBook, PaymentsFollowTheCurrentDocumentAndShowItsOwnColumn)
{
    const int first = add_document(1, 1, 1000);
    const int second = add_document(1, 2, 300);
    pay(first, 400, 0, "2026-03-12");
    pay(first, 100, 0, "2026-03-11");
    pay(second, 300, 0);
    auto window = open_book(1, second);
    EXPECT_EQ(dbAPI->current_recid(window->record_set()), second);
    ASSERT_TRUE(window->payment_set());
    EXPECT_EQ(window->payment_set()->record_count(), 1);
    EXPECT_EQ(window->remaining_label()->text(), QStringLiteral("uhrazeno"));

    window->pages()->setCurrentIndex(TfDoc::PaymentsPage);
    QTest::keyClick(window->grid(), Qt::Key_Up);
    EXPECT_EQ(dbAPI->current_recid(window->record_set()), first);
    TMemTable *payments = window->payment_set();
    ASSERT_TRUE(payments);
    ASSERT_EQ(payments->record_count(), 2);
    EXPECT_EQ(payments->field_by_name("INCOME").as_float(), 100) << "in date order";
    const TDBGrid &grid = *window->payment_grid();
    EXPECT_EQ(column_of(grid, "RECID"), -1);
    EXPECT_GE(grid.columnWidth(column_of(grid, "DATE_D")), 72);
    EXPECT_EQ(window->remaining_label()->text(), QStringLiteral("500,00"));
    EXPECT_TRUE(window->command("actPayEdit")->isEnabled());

    // A received invoice is paid by what goes out.
    const int received = add_document(2, 1, 800);
    pay(received, 0, 800);
    auto received_book = open_book(2);
    ASSERT_TRUE(received_book->payment_set());
    EXPECT_NE(received_book->payment_set()->find_field("OUTCOME"), nullptr);
    EXPECT_EQ(received_book->payment_set()->find_field("INCOME"), nullptr);
}

// With no documents only a new one can be asked for; sending then does nothing and leaves
// no request behind that a later preview would act on.
TEST_F(DocumentBook, EmptyBookOffersOnlyANewDocumentAndSending)
{
    auto window = open_book(1);
    for (const char *name : {"actDocEdit", "actDocDel", "actSendTE", "actPrintDoc", "actPrintList",
                             "actPayEdit", "actPayDel"})
        EXPECT_FALSE(window->command(name)->isEnabled()) << name;
    EXPECT_TRUE(window->command("actDocAdd")->isEnabled());
    EXPECT_TRUE(window->command("actSendDoc")->isEnabled());
    window->command("actSendDoc")->trigger();
    EXPECT_FALSE(send_on_open);
    EXPECT_EQ(window->payment_set(), nullptr);
    EXPECT_TRUE(window->remaining_label()->text().isEmpty());
    EXPECT_TRUE(m_messages.empty());
}

// The preview reads the request when it opens; a print that fails before it must not
// leave the request for an unrelated preview later.
TEST_F(DocumentBook, SendingRequestIsClearedWhenThePrintEndsWithoutAPreview)
{
    const int document = add_document(1, 1, 100);
    std::vector<std::pair<int, bool>> printed;
    shell_services().print_document = [&printed](int type, int id) {
        EXPECT_EQ(type, 1);
        printed.push_back({id, send_on_open});
    };
    auto window = open_book(1);
    ASSERT_TRUE(window->command("actPrintDoc")->isEnabled());
    window->command("actSendDoc")->trigger();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].first, document);
    EXPECT_TRUE(printed[0].second) << "the preview opened by the print would send";
    EXPECT_FALSE(send_on_open);

    printed.clear();
    QTest::keyClick(window->grid(), Qt::Key_Space);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_FALSE(printed[0].second) << "a plain print does not send";
    shell_services().print_document = {};
}

TEST_F(DocumentBook, RefreshReopensTheBookOnTheSameDocument)
{
    RecordingHost host;
    ScopedWindowHost installed(host);
    add_document(3, 1, 100);
    const int second = add_document(3, 2, 100);
    auto window = open_book(3);
    window->record_set()->last();
    host.posted.clear();
    QTest::keyClick(window->grid(), Qt::Key_F5);
    ASSERT_FALSE(host.posted.empty());
    EXPECT_EQ(host.posted.back().first, MainCommand::ReopenIssuedCreditNotes);
    EXPECT_EQ(host.posted.back().second, second);
}

TEST_F(DocumentBook, TypingInTheGridSearchesTheNumbersAndMenusHoldTheCommands)
{
    add_document(1, 20260001, 100);
    add_document(1, 20260002, 100);
    auto window = open_book(1);
    QTest::keyClick(window->grid(), '2');
    EXPECT_TRUE(window->search_strip()->has_search_focus());
    EXPECT_EQ(window->search_strip()->search_field_name(), QStringLiteral("DOC_NO"));
    EXPECT_EQ(window->search_strip()->search_field()->text(), QStringLiteral("2"));

    QStringList context;
    for (const QAction *item : window->context_menu()->actions())
        context << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
    EXPECT_EQ(context, (QStringList{"actDocAdd", "actDocEdit", "actDocDel", "-", "actSendTE", "-",
                                    "actPrintDoc", "actExportIsdoc", "-", "actPrintList"}));
    QStringList prints;
    for (const QAction *item : window->print_menu()->actions())
        prints << item->objectName();
    EXPECT_EQ(prints, (QStringList{"actPrintDoc", "actPrintList"}));
    EXPECT_EQ(window->command("actSendTE")->toolTip(), QStringLiteral("zaúčtovat doklad"));
}

// Enter, Insert and Delete act on the payments while their grid has the focus and on the
// documents otherwise; typing in the search field is no command at all.
TEST_F(DocumentBook, KeysActOnTheGridThatHasTheFocus)
{
    const int document = add_document(1, 1, 1000);
    pay(document, 100);
    auto window = open_book(1);
    window->pages()->setCurrentIndex(TfDoc::PaymentsPage);
    struct Case {
        bool payments;
        Qt::Key key;
        const char *command;
        const char *editor; // the modal window the command opens; deletions only ask
    };
    const Case cases[] = {
        {false, Qt::Key_Return, "actDocEdit", "Tfm_docheader"},
        {false, Qt::Key_Insert, "actDocAdd", "Tfm_docheader"},
        {false, Qt::Key_Delete, "actDocDel", nullptr},
        {true, Qt::Key_Return, "actPayEdit", "TfTeEdit"},
        {true, Qt::Key_Insert, "actSendTE", "TfTeEdit"},
        {true, Qt::Key_Delete, "actPayDel", nullptr},
        {true, Qt::Key_Space, nullptr, nullptr}, // no document print yet
    };
    QStringList triggered;
    for (QAction *action : window->findChildren<QAction *>())
        QObject::connect(action, &QAction::triggered, window.get(),
                         [&triggered, action] { triggered << action->objectName(); });
    m_answer = mrNo;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command ? c.command : "none");
        triggered.clear();
        QString opened;
        if (c.editor)
            ModalDriver::on_next_modal([&opened](QWidget *modal) {
                opened = modal->metaObject()->className();
                modal->close();
            });
        TDBGrid *grid = c.payments ? window->payment_grid() : window->grid();
        grid->setFocus();
        QTest::keyClick(grid, c.key);
        EXPECT_EQ(triggered, c.command ? QStringList{QLatin1String(c.command)} : QStringList{});
        EXPECT_EQ(opened, QLatin1String(c.editor));
    }
    EXPECT_EQ(m_messages.size(), 2u) << "each deletion asked and was answered No";
    EXPECT_EQ(m_api->count_rows(QStringLiteral("TE")), 1);
    triggered.clear();
    window->search_strip()->search_field()->setFocus();
    QTest::keyClick(window->search_strip()->search_field(), Qt::Key_Delete);
    QTest::keyClick(window->search_strip()->search_field(), Qt::Key_Insert);
    EXPECT_TRUE(triggered.isEmpty());
    QTest::keyClick(window->grid(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(DocumentBook, TheListPrintAsksItsConditionsFirst)
{
    add_document(2, 1, 1000);
    auto window = open_book(2);
    QString asked;
    ModalDriver::on_next_modal([&asked](QWidget *modal) {
        asked = modal->metaObject()->className();
        modal->close();
    });
    window->command("actPrintList")->trigger();
    EXPECT_EQ(asked, QStringLiteral("TfSetWhere"));
}

TEST_F(DocumentBook, CancellingTheChoiceOpensNoEditorAndKeepsTheRow)
{
    set_foreign_currency(true);
    add_document(1, 1, 100);
    const int second = add_document(1, 2, 200);
    add_document(1, 3, 300);
    auto window = open_book(1, second);
    QStringList modals;
    ModalDriver::on_next_modal([&modals](QWidget *modal) {
        modals << modal->metaObject()->className();
        modal->close();
    });
    QTest::keyClick(window->grid(), Qt::Key_Insert);
    EXPECT_EQ(modals, QStringList{QStringLiteral("Tfm_doctypeselect")});
    EXPECT_EQ(dbAPI->current_recid(window->record_set()), second);
    EXPECT_EQ(window->record_set()->record_count(), 3);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(DocumentBook, ExportIsdocWritesTheCurrentInvoiceToTheChosenFile)
{
    add_document(1, 2026001, 1500);
    const QString chosen = path(QStringLiteral("faktura.isdoc"));
    std::vector<FileDialogRequest> asked;
    QString answer;
    const ScopedHook files(set_file_dialog_hook,
                           FileDialogHook([&](QWidget *, const FileDialogRequest &request) {
                               asked.push_back(request);
                               return answer;
                           }));
    auto window = open_book(1);
    QAction *command = window->command("actExportIsdoc");
    ASSERT_TRUE(command->isEnabled());

    command->trigger(); // the user cancels the file dialog
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_TRUE(m_messages.empty());

    answer = chosen;
    command->trigger();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(asked[1].default_suffix, QStringLiteral("isdoc"));
    EXPECT_EQ(QFileInfo(asked[1].start).fileName(), QStringLiteral("faktura-2026001.isdoc"));
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    EXPECT_TRUE(xml.contains("<DocumentType>1</DocumentType>"));
    EXPECT_TRUE(xml.contains("<ID>2026001</ID>"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Export ISDOC"));
    EXPECT_TRUE(m_messages[0].text.endsWith(chosen));
}

TEST_F(DocumentBook, ExportIsdocOnlyForTheCurrentDocumentOfAnIssuingBook)
{
    const struct {
        int type;
        bool with_document;
        bool enabled;
    } cases[] = {
        {1, true, true}, {3, true, true}, {1, false, false}, {2, true, false}, {4, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        exec(QStringLiteral("DELETE FROM DOC_HEAD"));
        if (c.with_document)
            add_document(c.type, 1, 100);
        auto window = open_book(c.type);
        EXPECT_EQ(window->command("actExportIsdoc")->isEnabled(), c.enabled);
    }
}
