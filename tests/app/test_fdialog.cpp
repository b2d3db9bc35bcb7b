#include "app/fdialog.h"
#include "data/scoped_hook.h"

#include "data/messages.h"
#include "platform/shell/shell.h"
#include "support/modal_driver.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MessageDialog : public testing::Test {
protected:
    void SetUp() override
    {
        set_program_ending(false);
        m_saved = set_message_handler(show_message_dialog);
    }
    void TearDown() override
    {
        set_message_handler(std::move(m_saved));
        set_program_ending(false);
    }

    // Shows the message through show_message and lets `answer` act on the dialog.
    int ask(int style, std::function<void(TfmDialog &)> answer, bool fatal = false)
    {
        ModalDriver::on_next_modal([&](QWidget *modal) {
            auto *dialog = qobject_cast<TfmDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
        return show_message(QStringLiteral("Výmaz"), QStringLiteral("Opravdu vymazat?"), style,
                            fatal, 0);
    }

    static QPushButton *button(TfmDialog &dialog, const char *name)
    {
        return dialog.findChild<QPushButton *>(QLatin1String(name));
    }

    MessageHandler m_saved;
};

using Icon = TfmDialog::IconKind;

} // namespace

TEST_F(MessageDialog, StyleChoosesIconButtonsAndTheDefaultAnswer)
{
    struct Case {
        int style;
        Icon icon;
        bool yes_no;
        const char *preferred;
    };
    const Case cases[] = {
        {16, Icon::Error, false, "btnOk"},       {36, Icon::Question, true, "btnYes"},
        {48, Icon::Warning, false, "btnOk"},     {64, Icon::Information, false, "btnOk"},
        {68, Icon::Information, true, "btnYes"}, {308, Icon::Warning, true, "btnNo"},
        {0, Icon::Information, false, "btnOk"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.style);
        TfmDialog dialog;
        dialog.set_message(QStringLiteral("Titulek"), QStringLiteral("Text"), c.style, false, 0);
        EXPECT_EQ(dialog.icon_kind(), c.icon);
        EXPECT_EQ(!button(dialog, "btnYes")->isHidden(), c.yes_no);
        EXPECT_EQ(!button(dialog, "btnNo")->isHidden(), c.yes_no);
        EXPECT_EQ(!button(dialog, "btnOk")->isHidden(), !c.yes_no);
        EXPECT_TRUE(button(dialog, c.preferred)->isDefault());
        EXPECT_EQ(dialog.focusWidget(), button(dialog, c.preferred));
        EXPECT_EQ(dialog.windowTitle(), "    Titulek");
    }
}

TEST_F(MessageDialog, AnswersAreTheSystemResultCodes)
{
    EXPECT_EQ(ask(64, [](TfmDialog &d) { ModalDriver::click(&d, "btnOk"); }), mrOk);
    EXPECT_EQ(ask(36, [](TfmDialog &d) { ModalDriver::click(&d, "btnYes"); }), mrYes);
    EXPECT_EQ(ask(36, [](TfmDialog &d) { ModalDriver::click(&d, "btnNo"); }), mrNo);
    EXPECT_EQ(ask(36, [](TfmDialog &d) { d.close(); }), mrCancel);
    EXPECT_EQ(ask(64, [](TfmDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); }), mrCancel);
    EXPECT_EQ(
        ask(36, [](TfmDialog &d) { QTest::keyClick(&d, Qt::Key_Pause, Qt::ControlModifier); }),
        mrCancel);
}

TEST_F(MessageDialog, EnterAnswersNoWhenNoIsTheDefault)
{
    EXPECT_EQ(ask(308, [](TfmDialog &d) { QTest::keyClick(&d, Qt::Key_Return); }), mrNo);
    EXPECT_EQ(ask(36, [](TfmDialog &d) { QTest::keyClick(&d, Qt::Key_Return); }), mrYes);
}

TEST_F(MessageDialog, FatalMessageEndsTheProgramAfterOk)
{
    QString caption, text;
    Icon icon = Icon::Information;
    bool yes_visible = true;
    const int result = ask(
        36,
        [&](TfmDialog &d) {
            caption = d.windowTitle();
            text = d.message_text();
            icon = d.icon_kind();
            yes_visible = !button(d, "btnYes")->isHidden();
            EXPECT_FALSE(program_ending()) << "only once answered";
            ModalDriver::click(&d, "btnOk");
        },
        true);
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(caption, "    Závažná chyba.");
    EXPECT_EQ(text, "Opravdu vymazat?\r\n\r\nPROGRAM BUDE UKONČEN! Doporučuji odeslat dotaz "
                    "e-mailem a kontaktovat výrobce.");
    EXPECT_EQ(icon, Icon::Error);
    EXPECT_FALSE(yes_visible);
    EXPECT_TRUE(program_ending());
}

TEST_F(MessageDialog, HelpButtonNeedsTheMainWindowAndATopic)
{
    TfmDialog dialog;
    dialog.set_message(QStringLiteral("Chyba!"), QStringLiteral("x"), 16, false, 9002);
    EXPECT_TRUE(button(dialog, "btnHelp")->isHidden()) << "no main window during start-up";
}

TEST_F(MessageDialog, MailLinkCarriesCaptionAndTextAsTheBody)
{
    std::vector<ShellLaunch> launched;
    {
        const ScopedHook<ShellLauncher> launcher(set_shell_launcher,
                                                 [&](const ShellLaunch &launch) {
                                                     launched.push_back(launch);
                                                     return true;
                                                 });
        TfmDialog dialog;
        dialog.set_message(QStringLiteral("Chyba"),
                           QStringLiteral("První řádek\r\nDruhý & 100 %"), 16, false, 0);
        dialog.findChild<QLabel *>(QStringLiteral("lblMail"))->linkActivated(QStringLiteral("mail"));
    }

    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].program, "xdg-open");
    const QString link = launched[0].arguments.value(0);
    EXPECT_TRUE(link.startsWith("mailto:")) << link.toStdString();
    EXPECT_TRUE(link.contains("?subject=Tallyra-error&body=%20%20%20%20Chyba%0A%0A"));
    // Line breaks become %0A, and no character of the text can cut the body short.
    EXPECT_TRUE(link.endsWith("%0ADruh%C3%BD%20%26%20100%20%25")) << link.toStdString();
    EXPECT_EQ(link.count(u'&'), 1);
}
