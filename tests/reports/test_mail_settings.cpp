#include "data/app_paths.h"
#include "data/settings.h"
#include "reports/mail_content.h"
#include "reports/mail_settings.h"
#include "reports/report_state.h"

#include "reports/sample_mail_settings.h"
#include "support/db_fixture.h"

namespace {

class MailSettingsTest : public DbFixture {
protected:
    void TearDown() override
    {
        pdf_password.clear();
        pdf_permission = default_pdf_permission;
        DbFixture::TearDown();
    }

    static QString stored(const QString &key)
    {
        return settings_file().read_string(mapi::section, key);
    }

};

TEST_F(MailSettingsTest, AnswersComeBackWithTheirSecretsEncryptedAndUntrimmed)
{
    MailSettings settings = sample_smtp_settings();
    settings.no_print = true;
    settings.password_check = true;
    settings.password = QStringLiteral("  heslo PDF ");
    ASSERT_TRUE(write_mail_settings(settings));

    for (const QString &key : {mapi::password, mapi::smtp_username, mapi::smtp_password}) {
        EXPECT_FALSE(stored(key).isEmpty()) << qPrintable(key);
        EXPECT_FALSE(stored(key).contains(QStringLiteral("heslo"))) << qPrintable(key);
        EXPECT_FALSE(stored(key).contains(QStringLiteral("tajné"))) << qPrintable(key);
    }
    EXPECT_EQ(stored(mapi::recipient), settings.recipient);
    EXPECT_EQ(stored(mapi::smtp_server), settings.smtp_server);

    const MailSettings read = read_mail_settings();
    EXPECT_EQ(read.recipient, settings.recipient);
    EXPECT_TRUE(read.no_print);
    EXPECT_TRUE(read.password_check);
    EXPECT_EQ(read.password, QStringLiteral("  heslo PDF "));
    EXPECT_EQ(read.send_type, stMailService);
    EXPECT_TRUE(read.smtp_check);
    EXPECT_EQ(read.smtp_server, settings.smtp_server);
    EXPECT_EQ(read.smtp_port, 587);
    EXPECT_EQ(read.smtp_username, QStringLiteral("účetní"));
    EXPECT_EQ(read.smtp_password, QStringLiteral(" tajné1 "));
}

TEST_F(MailSettingsTest, SwitchingThePasswordOffKeepsTheStoredOneButShowsNone)
{
    MailSettings settings;
    settings.password_check = true;
    settings.password = QStringLiteral("první");
    ASSERT_TRUE(write_mail_settings(settings));
    const QString encrypted = stored(mapi::password);

    settings.password_check = false;
    settings.password = QStringLiteral("jiné");
    ASSERT_TRUE(write_mail_settings(settings));
    EXPECT_EQ(stored(mapi::password), encrypted);
    EXPECT_FALSE(settings_file().read_bool(mapi::section, mapi::password_check, true));
    EXPECT_FALSE(read_mail_settings().password_check);
    EXPECT_TRUE(read_mail_settings().password.isEmpty());
}

TEST_F(MailSettingsTest, ValuesOutOfRangeReadAsTheDefaults)
{
    {
        IniFile file = settings_file();
        ASSERT_TRUE(file.write_int(mapi::section, mapi::send_type, 7));
        ASSERT_TRUE(file.write_int(mapi::section, mapi::smtp_port, 65536));
    }
    EXPECT_EQ(read_mail_settings().send_type, stPrepareOnly);
    EXPECT_EQ(read_mail_settings().smtp_port, 25);
}

TEST_F(MailSettingsTest, OkNeedsWhatTheChosenWayOfSendingUses)
{
    struct Case {
        const char *what;
        std::function<void(MailSettings &)> change;
        bool complete;
    };
    const std::vector<Case> cases = {
        {"complete SMTP settings", [](MailSettings &) {}, true},
        {"prepare only, no recipient",
         [](MailSettings &s) { s = {}; }, true},
        {"mail client, recipient without @",
         [](MailSettings &s) { s.send_type = stMailClient; s.recipient = "odberatel"; }, false},
        {"mail program, recipient with @",
         [](MailSettings &s) { s.send_type = stMailProgram; }, true},
        {"PDF password of blanks only",
         [](MailSettings &s) { s.password_check = true; s.password = "   "; }, false},
        {"PDF password with blanks around",
         [](MailSettings &s) { s.password_check = true; s.password = " x "; }, true},
        {"empty server", [](MailSettings &s) { s.smtp_server = " "; }, false},
        {"port 0", [](MailSettings &s) { s.smtp_port = 0; }, false},
        {"port 65536", [](MailSettings &s) { s.smtp_port = 65536; }, false},
        {"port 65535", [](MailSettings &s) { s.smtp_port = 65535; }, true},
        {"login without password", [](MailSettings &s) { s.smtp_password = ""; }, false},
        {"login without user", [](MailSettings &s) { s.smtp_username = " "; }, false},
        {"no login, no user", [](MailSettings &s) { s.smtp_check = false; s.smtp_username = ""; },
         true},
        {"server ignored without SMTP",
         [](MailSettings &s) { s.send_type = stMailClient; s.smtp_server = ""; }, true},
    };
    for (const Case &c : cases) {
        MailSettings settings = sample_smtp_settings();
        c.change(settings);
        EXPECT_EQ(mail_settings_complete(settings), c.complete) << c.what;
    }
}

TEST_F(MailSettingsTest, ConfirmingSetsTheProtectionOfTheNextExportOnly)
{
    MailSettings settings = sample_smtp_settings();
    settings.no_print = true;
    settings.password_check = true;
    settings.password = QStringLiteral("heslo");
    confirm_mail_settings(settings);
    EXPECT_EQ(pdf_password, QStringLiteral("heslo"));
    EXPECT_EQ(pdf_permission, 0u);
    EXPECT_EQ(read_mail_settings().smtp_server, settings.smtp_server);
    EXPECT_TRUE(m_messages.empty());

    pdf_options_provider();
    EXPECT_TRUE(pdf_password.isEmpty());
    EXPECT_EQ(pdf_permission, default_pdf_permission);

    Tmail_content content;
    fill_mail_content(settings, content);
    EXPECT_EQ(content.send_type, stMailService);
    EXPECT_EQ(content.recipient, settings.recipient);
    EXPECT_EQ(content.port, 587);
    EXPECT_TRUE(content.authentication);
    EXPECT_EQ(content.password, QStringLiteral(" tajné1 "));
    EXPECT_TRUE(content.second_text.isEmpty());
}

TEST_F(MailSettingsTest, ASettingsFileThatCannotBeWrittenIsSaidAndTheSendingGoesOn)
{
    set_app_exe_path(path(QStringLiteral("missing/folder/tallyra")));
    MailSettings settings = sample_smtp_settings();
    settings.password_check = true;
    settings.password = QStringLiteral("heslo");
    confirm_mail_settings(settings);
    EXPECT_EQ(pdf_password, QStringLiteral("heslo"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].style, mbIconWarning);
}

} // namespace
