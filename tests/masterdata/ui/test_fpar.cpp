#include "calc/ui/choice_driver.h"
#include "calc/ui/fhistory.h"
#include "calc/user_hist.h"
#include "data/memtable.h"
#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/fpar.h"
#include "masterdata/ui/fpar_addredit.h"
#include "masterdata/ui/fpar_contedit.h"
#include "masterdata/ui/fparedit.h"
#include "masterdata/ui/frsearch.h"
#include "support/modal_driver.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbgrid.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <memory>

namespace {

const QString duplicate_text = QString::fromUtf8("Číslo partnera je již použito, zadejte jiné.");

class PartnersWindowTest : public CodeListFixture {
protected:
    std::unique_ptr<TfPar> open_window()
    {
        auto window = std::make_unique<TfPar>();
        window->resize(1000, 600);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->grid()->setFocus();
        return window;
    }

    // Acts on the next modal editor of the type; one still open afterwards is cancelled.
    template <typename Editor> static void answer(const std::function<void(Editor &editor)> &action)
    {
        ModalDriver::on_next_modal([action](QWidget *modal) {
            auto *editor = qobject_cast<Editor *>(modal);
            if (!editor) {
                ADD_FAILURE() << "unexpected modal window " << qPrintable(modal->objectName());
                modal->close();
                return;
            }
            action(*editor);
            if (editor->isVisible())
                editor->reject();
        });
    }

    // Replaces what the edit holds, as a user selecting all and typing does.
    static void retype(QWidget *window, const QString &name, const QString &text)
    {
        auto *edit = window->findChild<QLineEdit *>(name);
        ASSERT_NE(edit, nullptr) << qPrintable(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        type_into(window, name, text);
    }

    static void press(TfPar &window, int key) { QTest::keyClick(window.grid(), Qt::Key(key)); }

    void insert_addresses(int partner, const QString &values)
    {
        exec(QStringLiteral("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE) VALUES ") +
             values.arg(partner));
    }

    static int children(const TfPar &window, TParTree::Page page)
    {
        return window.tree()->branch(page)->childCount();
    }
};

} // namespace

TEST_F(PartnersWindowTest, APartnerIsCreatedWithItsRowsFoundCorrectedAndDeleted)
{
    insert_partner(1, QStringLiteral("Alfa"));
    insert_partner(2, QStringLiteral("Zeta"));
    auto window = open_window();
    ASSERT_EQ(window->partners()->record_count(), 2);

    const QString name = QString::fromUtf8("Pekárna \"U Šťastného\" - O'Brien");
    const QString street = QString::fromUtf8("Nádražní 5 & 7");
    m_answer = mrYes;
    answer<Tfm_paredit>([&](Tfm_paredit &editor) {
        EXPECT_EQ(editor.windowTitle(), QString::fromUtf8("Přidání nového obchodního partnera."));
        EXPECT_EQ(editor.findChild<QLineEdit *>("PARTNER_NO")->text(), QStringLiteral("3"));
        EXPECT_FALSE(editor.ok_button()->isEnabled());
        type_into(&editor, "PARTNER_NAME", name);
        type_into(&editor, "ICO", "12345678");
        ASSERT_TRUE(editor.ok_button()->isEnabled());
        answer<Tfm_par_addredit>([&](Tfm_par_addredit &address) {
            EXPECT_TRUE(address.invoice_box()->isChecked());
            EXPECT_EQ(address.partner_label()->text(), name);
            type_into(&address, "DBEdit1paraddr", QString::fromUtf8("Sídlo"));
            type_into(&address, "DBEdit2paraddr", street);
            type_into(&address, "DBEdit4paraddr", QString::fromUtf8("Ústí nad Labem"));
            address.ok_button()->click();
        });
        editor.ok_button()->click();
    });
    press(*window, Qt::Key_Insert);
    ASSERT_EQ(window->partners()->record_count(), 3);
    const int partner = m_api->current_recid(window->partners());
    EXPECT_EQ(m_api->lookup_text(partner, "PAR", "PARTNER_NAME"), name);
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back().text,
              QString::fromUtf8("Pokračovat zadáním adresy tohoto partnera?"));
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT ADDRESS || '|' || IS_INVOICE FROM PAR_ADDR "
                                          "WHERE ID_PARTNER=%1")
                               .arg(partner)),
              street + QStringLiteral("|T"));
    ASSERT_EQ(children(*window, TParTree::AddressPage), 1);
    EXPECT_EQ(window->tree()->branch(TParTree::AddressPage)->child(0)->text(0),
              QString::fromUtf8("Sídlo"));
    EXPECT_EQ(window->pages()->currentIndex(), TParTree::AddressPage);
    EXPECT_TRUE(window->command(TfPar::ShowMap)->isEnabled());

    window->show_page(TParTree::ContactPage);
    answer<Tfm_par_contedit>([&](Tfm_par_contedit &contact) {
        contact.type_box()->setCurrentText(QStringLiteral("e-mail"));
        EXPECT_EQ(contact.findChild<QLineEdit *>("DBEdit2cont")->text(), QStringLiteral("@"));
        type_into(&contact, "DBEdit1cont", QString::fromUtf8("Jana Nováková"));
        retype(&contact, "DBEdit2cont", "jana@pekarna.cz");
        contact.ok_button()->click();
    });
    press(*window, Qt::Key_Insert);
    ASSERT_EQ(children(*window, TParTree::ContactPage), 1);
    EXPECT_EQ(window->tree()->branch(TParTree::ContactPage)->child(0)->text(0),
              QString::fromUtf8("e-mail - Jana Nováková"));
    EXPECT_EQ(window->contact_label()->text(), QStringLiteral("jana@pekarna.cz"));
    EXPECT_TRUE(window->contact_label()->font().underline());

    window->show_page(TParTree::BankPage);
    answer<TParDetailEditor>([&](TParDetailEditor &bank) {
        EXPECT_EQ(bank.windowTitle(), QString::fromUtf8("Přidání nového bankovního spojení."));
        type_into(&bank, "DBEdit1bank", QString::fromUtf8("Hlavní účet"));
        type_into(&bank, "DBEdit3bank", "123456789/0800");
        bank.ok_button()->click();
    });
    press(*window, Qt::Key_Insert);
    EXPECT_EQ(children(*window, TParTree::BankPage), 1);
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT ACCOUNT_NUMBER FROM PAR_BANK WHERE "
                                          "ID_PARTNER=%1")
                               .arg(partner)),
              QStringLiteral("123456789/0800"));

    // Found by typing in the grid, from another partner.
    window->show_page(TParTree::BasicPage);
    window->partners()->first();
    EXPECT_EQ(children(*window, TParTree::AddressPage), 0);
    window->grid()->setFocus();
    QTest::keyClick(window->grid(), 'P');
    QTest::keyClicks(window->search_strip()->search_field(), "ek");
    EXPECT_EQ(m_api->current_recid(window->partners()), partner);
    EXPECT_EQ(children(*window, TParTree::AddressPage), 1);
    EXPECT_EQ(children(*window, TParTree::ContactPage), 1);

    window->grid()->setFocus();
    answer<Tfm_paredit>([&](Tfm_paredit &editor) {
        EXPECT_EQ(editor.windowTitle(), QString::fromUtf8("Oprava obchodního partnera."));
        type_into(&editor, "PARTNER_NAME", QString::fromUtf8(" a syn"));
        editor.ok_button()->click();
    });
    press(*window, Qt::Key_Return);
    EXPECT_EQ(window->partners()->field_by_name("PARTNER_NAME").as_string(),
              name + QString::fromUtf8(" a syn"));
    EXPECT_EQ(m_api->lookup_text(partner, "PAR", "PARTNER_NAME"), name + " a syn");

    press(*window, Qt::Key_Delete);
    EXPECT_EQ(m_messages.back().text,
              QString::fromUtf8("Opravdu  vymazat vybraného partnera a všechny jeho záznamy?"));
    EXPECT_EQ(window->partners()->record_count(), 2);
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT (SELECT COUNT(*) FROM PAR_ADDR) + (SELECT "
                                          "COUNT(*) FROM PAR_CONTACT) + (SELECT COUNT(*) FROM "
                                          "PAR_BANK)")),
              "0");
}

TEST_F(PartnersWindowTest, BadInputIsStoredVerbatimAndADuplicateNumberIsRefused)
{
    insert_partner(7, QStringLiteral("Sedmý"));
    auto window = open_window();
    const QString memo = QString::fromUtf8("'\"ěščřžýáíé") + QString(189, QChar(u'Ž'));
    ASSERT_EQ(memo.size(), 200);
    const QString name = QString::fromUtf8("O'Neill & \"Syn\"; DROP TABLE PAR; -- Žluťoučký");
    bool stayed_open = false;
    answer<Tfm_paredit>([&](Tfm_paredit &editor) {
        retype(&editor, "PARTNER_NO", "7");
        type_into(&editor, "PARTNER_NAME", name);
        type_into(&editor, "PARTNER_MEMO", memo);
        editor.ok_button()->click();
        stayed_open = editor.isVisible();
        EXPECT_EQ(editor.findChild<QLineEdit *>("PARTNER_NAME")->text(), name);
        ASSERT_FALSE(m_messages.empty());
        EXPECT_EQ(m_messages.back().text, duplicate_text);
        EXPECT_EQ(m_messages.back().title, QStringLiteral("Chyba!"));
        EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR"), "1");
        m_answer = mrNo;
        retype(&editor, "PARTNER_NO", "8");
        editor.ok_button()->click();
    });
    press(*window, Qt::Key_Insert);
    EXPECT_TRUE(stayed_open);
    const int partner = m_api->current_recid(window->partners());
    EXPECT_EQ(m_api->lookup_int(partner, "PAR", "PARTNER_NO"), 8);
    EXPECT_EQ(m_api->lookup_text(partner, "PAR", "PARTNER_NAME"), name);
    EXPECT_EQ(m_api->lookup_text(partner, "PAR", "PARTNER_MEMO"), memo);

    window->show_page(TParTree::AddressPage);
    const QString title = QString::fromUtf8("Sklad \"Jih\" – U Pepy's");
    answer<Tfm_par_addredit>([&](Tfm_par_addredit &address) {
        type_into(&address, "DBEdit1paraddr", title);
        type_into(&address, "DBMemo1paraddr", memo);
        address.ok_button()->click();
    });
    press(*window, Qt::Key_Insert);
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT ADDRESS_TITLE FROM PAR_ADDR")), title);
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT ADDR_MEMO FROM PAR_ADDR")), memo);
}

TEST_F(PartnersWindowTest, WithoutAPartnerNoDetailCommandReachesARow)
{
    const int partner = insert_partner(1, QStringLiteral("Jediný"));
    insert_addresses(partner, QString::fromUtf8("(9001, %1, 'Sídlo')"));
    auto window = open_window();
    ASSERT_EQ(children(*window, TParTree::AddressPage), 1);
    m_answer = mrYes;
    press(*window, Qt::Key_Delete);
    EXPECT_EQ(window->partners()->record_count(), 0);
    EXPECT_EQ(window->addresses(), nullptr);
    EXPECT_EQ(window->contacts(), nullptr);
    EXPECT_EQ(window->banks(), nullptr);
    EXPECT_EQ(children(*window, TParTree::AddressPage), 0);
    for (TfPar::Command command :
         {TfPar::EditPartner, TfPar::DeletePartner, TfPar::AddAddress, TfPar::EditAddress,
          TfPar::DeleteAddress, TfPar::ShowMap, TfPar::AddContact, TfPar::AddBank,
          TfPar::LoadPicture, TfPar::PrintDocumentList})
        EXPECT_FALSE(window->command(command)->isEnabled()) << command;
    window->show_page(TParTree::AddressPage);
    const size_t messages = m_messages.size();
    press(*window, Qt::Key_Return);
    press(*window, Qt::Key_Delete);
    EXPECT_EQ(m_messages.size(), messages);
    EXPECT_TRUE(window->command(TfPar::AddPartner)->isEnabled());
}

TEST_F(PartnersWindowTest, ANewPartnerForADocumentNeedsItsFirstAddress)
{
    exec("UPDATE PAR_TYPE SET IS_CUSTOMER='F'");
    bool warned = false;
    answer<Tfm_paredit>([&](Tfm_paredit &editor) {
        warned = editor.type_missing();
        EXPECT_EQ(editor.ok_button()->text(), QStringLiteral(">>> pokračuj"));
        type_into(&editor, "PARTNER_NAME", QStringLiteral("Bez adresy"));
        // The address editor is cancelled.
        answer<Tfm_par_addredit>(
            [](Tfm_par_addredit &address) { EXPECT_FALSE(address.invoice_box()->isEnabled()); });
        editor.ok_button()->click();
    });
    EXPECT_EQ(new_partner_for_document(nullptr, 1), 0);
    EXPECT_TRUE(warned);
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.front().title, QStringLiteral("POZOR"));
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR"), "0");

    answer<Tfm_paredit>([&](Tfm_paredit &editor) {
        type_into(&editor, "PARTNER_NAME", QStringLiteral("S adresou"));
        answer<Tfm_par_addredit>([](Tfm_par_addredit &address) {
            type_into(&address, "DBEdit1paraddr", QString::fromUtf8("Fakturační"));
            address.ok_button()->click();
        });
        editor.ok_button()->click();
    });
    const int address = new_partner_for_document(nullptr, 2);
    ASSERT_GT(address, 0);
    EXPECT_EQ(m_api->lookup_text(address, "PAR_ADDR", "IS_INVOICE"), QStringLiteral("T"));
    EXPECT_EQ(sqlite_shell("SELECT COUNT(*) FROM PAR"), "1");
}

namespace {

struct RecordingHost : WindowHost {
    void set_status_hint(const QString &hint) override { hints << hint; }
    void post_command(MainCommand command, const QVariant &param) override
    {
        posted.push_back({command, param.toInt()});
    }
    QStringList hints;
    std::vector<std::pair<MainCommand, int>> posted;
};

} // namespace

TEST_F(PartnersWindowTest, RefreshAsksTheMainWindowToReopenOnTheSamePartner)
{
    insert_partner(1, QStringLiteral("Alfa"));
    const int second = insert_partner(2, QStringLiteral("Beta"));
    RecordingHost host;
    const ScopedWindowHost installed(host);
    auto window = open_window();
    window->window_activated();
    EXPECT_EQ(host.hints.back(),
              QString::fromUtf8("Seznam obchodních partnerů.|INSERT-vlož nový záznam, "
                                "ENTER-oprava záznamu, DELETE-vymaž záznam, F8-menu, "
                                "MEZERNÍK-tisky, ESC-zavřít."));
    window->partners()->last();
    press(*window, Qt::Key_F5);
    ASSERT_FALSE(host.posted.empty());
    EXPECT_EQ(host.posted.back(), std::make_pair(MainCommand::ReopenPartners, second));
    EXPECT_FALSE(window->isVisible());

    auto reopened = std::make_unique<TfPar>(second);
    EXPECT_EQ(m_api->current_recid(reopened->partners()), second);
}

TEST_F(PartnersWindowTest, TheTreeNamesTheRowACommandActsOn)
{
    const int partner = insert_partner(1, QStringLiteral("Alfa"));
    insert_addresses(partner, QString::fromUtf8("(9001, %1, 'Sídlo'), (9002, %1, 'Sklad')"));
    auto window = open_window();
    QTreeWidgetItem *addresses = window->tree()->branch(TParTree::AddressPage);
    ASSERT_EQ(addresses->childCount(), 2);
    window->tree()->setCurrentItem(addresses->child(1));
    EXPECT_EQ(window->pages()->currentIndex(), TParTree::AddressPage);
    EXPECT_EQ(m_api->current_recid(window->addresses()), 9002);
    // The branch node itself shows the first address, and a command edits that one.
    window->tree()->setCurrentItem(addresses);
    EXPECT_EQ(m_api->current_recid(window->addresses()), 9001);
    int edited = 0;
    answer<Tfm_par_addredit>([&](Tfm_par_addredit &editor) {
        edited = editor.recid();
        retype(&editor, "DBEdit1paraddr", "   ");
        EXPECT_FALSE(editor.ok_button()->isEnabled());
    });
    press(*window, Qt::Key_Return);
    EXPECT_EQ(edited, 9001);
    EXPECT_EQ(m_api->lookup_text(9001, "PAR_ADDR", "ADDRESS_TITLE"), QString::fromUtf8("Sídlo"));
}

TEST_F(PartnersWindowTest, ContactTypesPresetOnlyANewContact)
{
    const int partner = insert_partner(1, QStringLiteral("Alfa"));
    exec(QStringLiteral("INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_TYPE, CONTACT_NAME, "
                        "CONTACT) VALUES (9001, %1, 'telefon', 'Jana', '777')")
             .arg(partner));
    auto window = open_window();
    window->show_page(TParTree::ContactPage);
    answer<Tfm_par_contedit>([&](Tfm_par_contedit &editor) {
        editor.type_box()->setCurrentText(QStringLiteral("E-MAIL"));
        EXPECT_EQ(editor.findChild<QLineEdit *>("DBEdit2cont")->text(), QStringLiteral("777"));
    });
    press(*window, Qt::Key_Return);

    exec("DELETE FROM PAR_CTYPE");
    answer<Tfm_par_contedit>([&](Tfm_par_contedit &editor) {
        EXPECT_EQ(editor.type_box()->currentText(), QString());
        type_into(&editor, "DBEdit1cont", QStringLiteral("Petr"));
        EXPECT_FALSE(editor.ok_button()->isEnabled());
        type_into(&editor, "DBComboBox1cont", QStringLiteral("Signal"));
        EXPECT_TRUE(editor.ok_button()->isEnabled());
        editor.ok_button()->click();
    });
    press(*window, Qt::Key_Insert);
    EXPECT_EQ(sqlite_shell("SELECT CONTACT_TYPE FROM PAR_CONTACT WHERE CONTACT_NAME='Petr'"),
              QStringLiteral("Signal"));
    EXPECT_EQ(children(*window, TParTree::ContactPage), 2);
}

TEST_F(PartnersWindowTest, ARefusedSaveKeepsTheEditorOpenAndTheProgramRunning)
{
    insert_partner(1, QStringLiteral("Alfa"));
    exec("CREATE TRIGGER NO_BANK BEFORE INSERT ON PAR_BANK BEGIN "
         "SELECT RAISE(ABORT, 'Spojení nelze uložit.'); END");
    auto window = open_window();
    window->show_page(TParTree::BankPage);
    bool stayed_open = false;
    answer<TParDetailEditor>([&](TParDetailEditor &bank) {
        type_into(&bank, "DBEdit1bank", QString::fromUtf8("Účet 'A'"));
        bank.ok_button()->click();
        stayed_open = bank.isVisible();
        EXPECT_EQ(bank.findChild<QLineEdit *>("DBEdit1bank")->text(),
                  QString::fromUtf8("Účet 'A'"));
    });
    press(*window, Qt::Key_Insert);
    EXPECT_TRUE(stayed_open);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].text.contains(QString::fromUtf8("Spojení nelze uložit.")));
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(window->banks()->record_count(), 0);
    EXPECT_EQ(children(*window, TParTree::BankPage), 0);
}

// A title saved with one address is offered by the title's history in the next one, and
// saving it again keeps one text in the history.
TEST_F(PartnersWindowTest, AnAddressTitleSavedEarlierIsOfferedByItsHistory)
{
    insert_partner(1, QStringLiteral("Alfa"));
    auto window = open_window();
    window->show_page(TParTree::AddressPage);
    const QString title = QString::fromUtf8("Sklad \"U Mostu\" O'Neill");
    answer<Tfm_par_addredit>([&](Tfm_par_addredit &address) {
        type_into(&address, "DBEdit1paraddr", title);
        address.ok_button()->click();
    });
    press(*window, Qt::Key_Insert);
    ASSERT_EQ(children(*window, TParTree::AddressPage), 1);

    QStringList offered;
    answer<Tfm_par_addredit>([&](Tfm_par_addredit &address) {
        auto *edit = address.findChild<QLineEdit *>("DBEdit1paraddr");
        ASSERT_NE(edit, nullptr);
        on_next_choice<Tfhistory>([&](Tfhistory &drop_down) {
            TMemTable *texts = drop_down.record_set();
            for (texts->first(); !texts->eof(); texts->next())
                offered << texts->field_by_name(QStringLiteral("TXT")).as_string();
            texts->first();
            QTest::keyClick(drop_down.grid(), Qt::Key_Return);
        });
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Down);
        EXPECT_EQ(edit->text(), title);
        address.ok_button()->click();
    });
    press(*window, Qt::Key_Insert);
    EXPECT_EQ(offered, QStringList{title});
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT group_concat(ADDRESS_TITLE, '|') FROM PAR_ADDR")),
              title + u'|' + title);
    EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT count(*) FROM USER_HIST WHERE DATA_FIELD=%1")
                               .arg(history_field_key(QStringLiteral("DBEdit1paraddr")))),
              QStringLiteral("1"));
}

// The pages show the current partner's rows whichever page was shown while the partner
// changed, also after the detail sets were refilled from one partner to the next.
TEST_F(PartnersWindowTest, EveryPageShowsTheCurrentPartnersRows)
{
    const int first = insert_partner(1, QStringLiteral("Alfa"));
    const int second = insert_partner(2, QStringLiteral("Beta"));
    insert_addresses(first, QString::fromUtf8("(9001, %1, 'Sídlo Alfa')"));
    insert_addresses(second, QString::fromUtf8("(9002, %1, 'Sklad Beta')"));
    auto window = open_window();
    // Each detail page repeats the partner's name: the one on the page in front counts.
    const auto shown = [&window](const char *name) {
        for (const QLineEdit *edit : window->findChildren<QLineEdit *>(QLatin1String(name)))
            if (edit->isVisible())
                return edit->text();
        return QStringLiteral("(none shown)");
    };
    const struct {
        TParTree::Page page_while_moving;
        int partner;
        const char *title;
        const char *name;
    } steps[] = {
        {TParTree::AddressPage, second, "Sklad Beta", "Beta"},
        {TParTree::BasicPage, first, "Sídlo Alfa", "Alfa"},
        {TParTree::ContactPage, second, "Sklad Beta", "Beta"},
        {TParTree::AddressPage, first, "Sídlo Alfa", "Alfa"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.title);
        window->show_page(step.page_while_moving);
        m_api->locate_recid(step.partner, window->partners());
        window->show_page(TParTree::AddressPage);
        EXPECT_EQ(shown("PAR_ADDR_ADDRESS_TITLE"), QString::fromUtf8(step.title));
        window->show_page(TParTree::BasicPage);
        EXPECT_EQ(shown("PAR_PARTNER_NAME"), QLatin1String(step.name));
        EXPECT_EQ(window->tree()->branch(TParTree::AddressPage)->child(0)->text(0),
                  QString::fromUtf8(step.title));
    }
}

TEST_F(PartnersWindowTest, MovingBetweenPartnersTheTreeHoldsJustTheCurrentPartnersRows)
{
    const int first = insert_partner(1, QStringLiteral("Alfa"));
    const int second = insert_partner(2, QStringLiteral("Beta"));
    const int third = insert_partner(3, QStringLiteral("Gama"));
    insert_addresses(first, QString::fromUtf8("(9001, %1, 'Sídlo'), (9002, %1, 'Sklad')"));
    insert_addresses(second, QString::fromUtf8("(9003, %1, 'Dílna')"));
    auto window = open_window();
    QTreeWidgetItem *addresses = window->tree()->branch(TParTree::AddressPage);
    const struct {
        int partner;
        QStringList titles;
        int first_recid;
    } steps[] = {
        {second, {QString::fromUtf8("Dílna")}, 9003},
        {third, {}, 0},
        {first, {QString::fromUtf8("Sídlo"), QStringLiteral("Sklad")}, 9001},
        {second, {QString::fromUtf8("Dílna")}, 9003},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.partner);
        m_api->locate_recid(step.partner, window->partners());
        QStringList titles;
        for (int i = 0; i < addresses->childCount(); ++i)
            titles << addresses->child(i)->text(0);
        EXPECT_EQ(titles, step.titles);
        if (step.first_recid == 0)
            continue;
        // A node left from the partner before would choose a row of that partner.
        window->tree()->setCurrentItem(addresses->child(0));
        EXPECT_EQ(m_api->current_recid(window->addresses()), step.first_recid);
        window->tree()->setCurrentItem(window->tree()->branch(TParTree::BasicPage));
    }
}
