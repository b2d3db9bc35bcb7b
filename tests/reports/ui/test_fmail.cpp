#include "data/settings.h"
#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/fselector.h"
#include "reports/mail_content.h"
#include "reports/report_state.h"
#include "reports/ui/fmail.h"
#include "reports/ui/mail_progress.h"
#include "platform/mail/mail_test_support.h"
#include "reports/sample_mail_settings.h"
#include "support/modal_driver.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

class MailDialog : public CodeListFixture {
protected:
    void TearDown() override
    {
        pdf_password.clear();
        pdf_permission = default_pdf_permission;
        CodeListFixture::TearDown();
    }

    // Replaces the field's text as typing over a selection does (keyClicks knows no
    // Czech letters).
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        edit->insert(text);
    }

    // On the box itself: a wide check box takes clicks only on its box and caption.
    static void tick(QCheckBox *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

};

TEST_F(MailDialog, OpensWithTheLastAnswersAndShowsTheServerOnlyForTheOwnService)
{
    ASSERT_TRUE(write_mail_settings(sample_smtp_settings()));
    TfmMail dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Odeslat tiskovou sestavu"));
    EXPECT_EQ(help_topic(&dialog), 1035);
    EXPECT_EQ(dialog.recpt->text(), QStringLiteral("odberatel@firma.cz"));
    EXPECT_EQ(dialog.act->count(), 4);
    EXPECT_EQ(dialog.act->currentRow(), stMailService);
    EXPECT_EQ(dialog.esmtp->text(), QStringLiteral("smtp.firma.cz"));
    EXPECT_EQ(dialog.eport->value(), 587);
    EXPECT_EQ(dialog.euser->text(), QStringLiteral("účetní"));
    EXPECT_EQ(dialog.epsw->text(), QStringLiteral(" tajné1 "));
    EXPECT_EQ(dialog.epsw->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.Edit1->maxLength(), 32);
    EXPECT_FALSE(dialog.Edit1->isEnabled());
    EXPECT_FALSE(dialog.Edit2->isEnabled());
    EXPECT_TRUE(dialog.smtp_panel->isVisible());
    EXPECT_TRUE(dialog.smtp_title->isVisible());
    EXPECT_TRUE(dialog.BitBtn1->isEnabled());

    dialog.act->setCurrentRow(stMailProgram);
    EXPECT_FALSE(dialog.smtp_panel->isVisible());
    EXPECT_FALSE(dialog.smtp_title->isVisible());
    tick(dialog.password_check);
    EXPECT_TRUE(dialog.Edit1->isEnabled());
    EXPECT_TRUE(dialog.Edit2->isEnabled());
}

TEST_F(MailDialog, OkWaitsForWhatTheWayOfSendingNeeds)
{
    ASSERT_TRUE(write_mail_settings(sample_smtp_settings()));
    TfmMail dialog;
    dialog.show();
    struct Step {
        const char *what;
        std::function<void()> act;
        bool ok;
    };
    const std::vector<Step> steps = {
        {"empty SMTP password", [&] { dialog.epsw->clear(); }, false},
        {"login switched off", [&] { tick(dialog.smtp_check); }, true},
        {"server of blanks", [&] { type(dialog.esmtp, "   "); }, false},
        {"mail client instead", [&] { dialog.act->setCurrentRow(stMailClient); }, true},
        {"recipient without @", [&] { type(dialog.recpt, "odberatel"); }, false},
        {"prepare only", [&] { dialog.act->setCurrentRow(stPrepareOnly); }, true},
        {"no recipient at all", [&] { dialog.recpt->clear(); }, true},
        {"password asked for", [&] { tick(dialog.password_check); },
         false},
        {"password of spaces", [&] { type(dialog.Edit1, "   "); }, false},
        {"a real password", [&] { type(dialog.Edit1, " x "); }, true},
    };
    for (const Step &step : steps) {
        step.act();
        EXPECT_EQ(dialog.BitBtn1->isEnabled(), step.ok) << step.what;
    }
}

TEST_F(MailDialog, DifferentPasswordsAreSaidAndNothingIsWritten)
{
    bool confirmed = true;
    ModalDriver::on_next_modal([&](QWidget *modal) {
        auto *dialog = qobject_cast<TfmMail *>(modal);
        ASSERT_NE(dialog, nullptr);
        tick(dialog->password_check);
        type(dialog->Edit1, "heslo1");
        type(dialog->Edit2, "heslo2");
        dialog->BitBtn1->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->Edit1->hasFocus() || !dialog->isActiveWindow());
        ModalDriver::click(dialog, "btnCancel");
    });
    Tmail_content content;
    confirmed = ask_mail_settings(content);
    EXPECT_FALSE(confirmed);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QStringLiteral("Pozor!"));
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Zadaná hesla si neodpovídají, zadejte je znovu."));
    EXPECT_EQ(m_messages[0].style, mbIconWarning);
    EXPECT_TRUE(settings_file().read_string(mapi::section, mapi::password_check).isEmpty());
    EXPECT_TRUE(pdf_password.isEmpty());
}

TEST_F(MailDialog, OkStoresTheAnswersAndProtectsTheNextPdf)
{
    ModalDriver::on_next_modal([](QWidget *modal) {
        auto *dialog = qobject_cast<TfmMail *>(modal);
        ASSERT_NE(dialog, nullptr);
        type(dialog->recpt, "prijemce@firma.cz");
        tick(dialog->disable_print);
        tick(dialog->password_check);
        type(dialog->Edit1, " tajné1 ");
        type(dialog->Edit2, " tajné1 ");
        dialog->act->setCurrentRow(stMailService);
        type(dialog->esmtp, "smtp.firma.cz");
        dialog->eport->setValue(465);
        ModalDriver::click(dialog, "BitBtn1");
    });
    Tmail_content content;
    EXPECT_TRUE(ask_mail_settings(content));
    EXPECT_EQ(content.send_type, stMailService);
    EXPECT_EQ(content.recipient, QStringLiteral("prijemce@firma.cz"));
    EXPECT_EQ(content.server, QStringLiteral("smtp.firma.cz"));
    EXPECT_EQ(content.port, 465);
    EXPECT_FALSE(content.authentication);
    EXPECT_EQ(pdf_password, QStringLiteral(" tajné1 "));
    EXPECT_EQ(pdf_permission, 0u);
    const MailSettings stored = read_mail_settings();
    EXPECT_TRUE(stored.no_print);
    EXPECT_EQ(stored.password, QStringLiteral(" tajné1 "));
    EXPECT_EQ(stored.smtp_port, 465);

    // Cancelled: neither the file nor the protection changes.
    pdf_password.clear();
    pdf_permission = default_pdf_permission;
    ModalDriver::on_next_modal([](QWidget *modal) {
        auto *dialog = qobject_cast<TfmMail *>(modal);
        type(dialog->recpt, "jiny@firma.cz");
        ModalDriver::click(dialog, "btnCancel");
    });
    EXPECT_FALSE(ask_mail_settings(content));
    EXPECT_EQ(content.recipient, QStringLiteral("jiny@firma.cz"));
    EXPECT_EQ(read_mail_settings().recipient, QStringLiteral("prijemce@firma.cz"));
    EXPECT_TRUE(pdf_password.isEmpty());
    EXPECT_EQ(pdf_permission, default_pdf_permission);
}

TEST_F(MailDialog, OffersTheIsdocFileOnlyForAnIssuedDocumentAndAsksEachTime)
{
    TfmMail other;
    EXPECT_EQ(other.attach_isdoc, nullptr);
    EXPECT_EQ(other.findChild<QCheckBox *>(QStringLiteral("attach_isdoc")), nullptr);

    for (const bool ticked : {true, false}) {
        SCOPED_TRACE(ticked);
        ModalDriver::on_next_modal([ticked](QWidget *modal) {
            auto *dialog = qobject_cast<TfmMail *>(modal);
            ASSERT_NE(dialog, nullptr);
            ASSERT_NE(dialog->attach_isdoc, nullptr);
            EXPECT_TRUE(dialog->attach_isdoc->isVisible());
            EXPECT_FALSE(dialog->attach_isdoc->isChecked());
            EXPECT_LT(dialog->attach_isdoc->geometry().bottom(), dialog->act->y());
            type(dialog->recpt, "prijemce@firma.cz");
            dialog->act->setCurrentRow(stMailProgram);
            if (ticked)
                tick(dialog->attach_isdoc);
            ModalDriver::click(dialog, "BitBtn1");
        });
        Tmail_content content;
        content.isdoc_document = 701;
        EXPECT_TRUE(ask_mail_settings(content));
        EXPECT_EQ(content.attach_isdoc, ticked);
    }
}

TEST_F(MailDialog, TheRecipientIsPickedFromThePartnersMailContacts)
{
    const int partner = insert_partner(1, QStringLiteral("Dvořák"));
    exec(QStringLiteral("INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_NAME, CONTACT) "
                        "VALUES (9001, %1, 'Telefon', '+420 777 111 222'), "
                        "(9002, %1, 'Účtárna', 'uctarna@dvorak.cz'), "
                        "(9003, %1, 'Jan Dvořák', 'jan@dvorak.cz')")
             .arg(partner));
    TfmMail dialog;
    dialog.show();
    int offered = -1;
    on_next_selector([&](Tfm_selector &selector) {
        offered = selector.record_set()->record_count();
        QTest::keyClick(selector.grid(), Qt::Key_Return);
    });
    dialog.recpt_button->click();
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(dialog.recpt->text(), QStringLiteral("jan@dvorak.cz"));
}

TEST(MailProgressWindow, ZrusitEndsASendingThatTheServerNeverAnswers)
{
    QTemporaryDir dir;
    const QString attachment = dir.filePath(QStringLiteral("priloha.pdf"));
    QFile file(attachment);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4 test");
    file.close();
    SilentListener silent;
    tl_set_mail_timeouts(20, 30);
    tl_set_mail_sender("fakturace@firma.cz", "");

    QString shown;
    {
        const MailProgress progress(nullptr);
        QTimer::singleShot(300, [&] {
            QProgressDialog *window = progress.window();
            ASSERT_NE(window, nullptr);
            shown = window->labelText();
            window->findChild<QPushButton *>()->click();
        });
        EXPECT_EQ(tl_send_mail(nullptr, nullptr, "prijemce@firma.cz", "",
                               attachment.toUtf8().constData(), "127.0.0.1", "", "",
                               silent.port(), 0),
                  0);
        EXPECT_EQ(progress.window(), nullptr);
    }
    tl_set_mail_timeouts(0, 0);
    tl_set_mail_sender(nullptr, nullptr);
    EXPECT_EQ(shown, QStringLiteral("Odesílám e-mail…"));
    EXPECT_STREQ(tl_mail_last_error(), "odesílání bylo zrušeno.");
}

} // namespace
