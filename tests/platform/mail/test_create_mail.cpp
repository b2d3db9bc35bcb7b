#include "mail_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

using CreateMail = MailTest;

struct Draft {
    int result = 0;
    char buffer[TL_MAIL_RESULT_SIZE];
    std::string error;
};

// The buffer starts full of garbage, to show that a failure leaves it zero-filled.
Draft create(const char *recipient, const QString &attachment, const char *second_text = "")
{
    Draft draft;
    std::memset(draft.buffer, 'x', sizeof draft.buffer);
    draft.result =
        tl_create_mail(recipient, second_text, attachment.toUtf8().constData(), draft.buffer);
    draft.error = tl_mail_last_error();
    return draft;
}

bool zero_filled(const Draft &draft)
{
    for (const char c : draft.buffer) {
        if (c != 0)
            return false;
    }
    return true;
}

} // namespace

TEST_F(CreateMail, TheDraftBesideTheAttachmentReadsBackWithTheAttachmentIntact)
{
    tl_set_mail_sender("ucetni@firma.cz", "Firma Novák s.r.o.");
    const QString attachment = write_file(QStringLiteral("priloha.pdf"));
    const Draft draft = create("prijemce@example.cz", attachment, "Děkujeme.\nS pozdravem");

    ASSERT_NE(draft.result, 0) << draft.error;
    EXPECT_EQ(draft.error, "");
    EXPECT_EQ(QString::fromUtf8(draft.buffer), path(QStringLiteral("priloha.eml")));
    const ParsedMessage message = parse_message(draft.buffer, path(QStringLiteral("parsed")));
    EXPECT_EQ(message.defects, QStringList());
    EXPECT_EQ(message.header(QStringLiteral("X-Unsent")), QStringLiteral("1"));
    EXPECT_EQ(message.header(QStringLiteral("To")), QStringLiteral("prijemce@example.cz"));
    EXPECT_EQ(message.header(QStringLiteral("From")),
              QStringLiteral("\"Firma Novák s.r.o.\" <ucetni@firma.cz>"));
    EXPECT_EQ(message.header(QStringLiteral("Subject")), QStringLiteral("Tisková sestava."));
    EXPECT_EQ(message.text, QStringLiteral("Tento e-mail obsahuje přílohu \"priloha.pdf\".\n\n"
                                           "Děkujeme.\nS pozdravem\n"));
    ASSERT_EQ(message.attachments.size(), 1);
    EXPECT_EQ(message.attachments[0].filename, QStringLiteral("priloha.pdf"));
    EXPECT_EQ(message.attachments[0].content_type, QStringLiteral("application/pdf"));
    EXPECT_EQ(message.attachments[0].bytes, sample_pdf());
}

// The subject goes out encoded: a mail program that reads it raw sees no 8-bit bytes.
TEST_F(CreateMail, TheHeadersAreSevenBitAndADraftWithoutSenderHasNoFromLine)
{
    const Draft draft = create("prijemce@example.cz", write_file(QStringLiteral("priloha.pdf")));
    ASSERT_NE(draft.result, 0) << draft.error;
    QFile file(QString::fromUtf8(draft.buffer));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray raw = file.readAll();
    const QByteArray headers = raw.left(raw.indexOf("\r\n\r\n"));
    for (const char c : headers)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_TRUE(headers.contains("Subject: =?UTF-8?B?")) << headers.toStdString();
    const ParsedMessage message = parse_message(file.fileName(), path(QStringLiteral("parsed")));
    EXPECT_FALSE(message.header_names().contains(QStringLiteral("From")));
}

// The path in the 262-byte buffer: 261 bytes fit with their zero, 262 do not, and then
// nothing is written at all.  Czech letters count with their two bytes each.
TEST_F(CreateMail, TheDraftPathFitsIn261BytesOrTheDraftFails)
{
    const QString folder = path(QStringLiteral("složka"));
    const int folder_bytes = static_cast<int>(QFile::encodeName(folder).size());
    for (const int length : {261, 262}) {
        SCOPED_TRACE(length);
        const QString prefix = QStringLiteral("příloha-");
        const int stem_bytes = length - folder_bytes - 1 - 4;
        const QString stem =
            prefix + QString(stem_bytes - QFile::encodeName(prefix).size(), QLatin1Char('x'));
        const QString attachment = write_file(QStringLiteral("složka/%1.pdf").arg(stem));
        const QString expected = QDir(folder).filePath(stem + QStringLiteral(".eml"));
        ASSERT_EQ(QFile::encodeName(expected).size(), length);

        const Draft draft = create("prijemce@example.cz", attachment);
        if (length == 261) {
            EXPECT_NE(draft.result, 0) << draft.error;
            EXPECT_EQ(std::strlen(draft.buffer), 261u);
            EXPECT_EQ(QFile::decodeName(draft.buffer), expected);
            EXPECT_TRUE(QFileInfo::exists(expected));
        } else {
            EXPECT_EQ(draft.result, 0);
            EXPECT_TRUE(zero_filled(draft));
            EXPECT_TRUE(starts_with(draft.error, "cesta k souboru zprávy „")) << draft.error;
            EXPECT_FALSE(QFileInfo::exists(expected));
        }
    }
}

// Anything but one plain address is refused, so no typed text can add a header, a
// recipient or an attachment to the draft.
TEST_F(CreateMail, ARecipientThatIsNotOnePlainAddressWritesNothing)
{
    const QString attachment = write_file(QStringLiteral("priloha.pdf"));
    const char *recipients[] = {
        "a@b.cz?attach=/etc/passwd",
        "a@b.cz\r\nBcc: tajny@example.cz",
        "a@b.cz\nX-Injected: 1",
        "a@b.cz\r\n\r\nText místo hlavičky",
        "Jan Novák <a@b.cz>",
        "a@b.cz, c@d.cz",
        "a@b@c.cz",
        "a..b@c.cz",
        "jan.novák@b.cz",
        "@b.cz",
        "a@",
        "a@-b.cz",
    };
    for (const char *recipient : recipients) {
        SCOPED_TRACE(recipient);
        const Draft draft = create(recipient, attachment);
        EXPECT_EQ(draft.result, 0);
        EXPECT_TRUE(zero_filled(draft));
        EXPECT_TRUE(starts_with(draft.error, "adresa příjemce „")) << draft.error;
        EXPECT_EQ(draft.error.find('\n'), std::string::npos) << draft.error;
        EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("priloha.eml"))));
    }
}

// Unusual but valid values stay inside the header they belong to.
TEST_F(CreateMail, UnusualValidValuesStayInsideTheirHeaders)
{
    const struct {
        const char *recipient;
        const char *attachment_name;
        const char *sender_name;
        const char *to;
    } cases[] = {
        {"a?attach=/etc/passwd@b.cz", "priloha.pdf", "", "a?attach=/etc/passwd@b.cz"},
        {"  jan@příklad.cz ", "priloha.pdf", "", "jan@xn--pklad-zsa96e.cz"},
        {"prijemce@example.cz", "faktura\r\nBcc: tajny@example.cz.pdf", "", "prijemce@example.cz"},
        {"prijemce@example.cz",
         "sestava „leden“ č. 1 s velmi dlouhým jménem, které se do "
         "jednoho řádku hlavičky nevejde.pdf",
         "", "prijemce@example.cz"},
        {"prijemce@example.cz", "priloha.pdf", "Firma\r\nBcc: tajny@example.cz",
         "prijemce@example.cz"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.attachment_name);
        SCOPED_TRACE(c.recipient);
        QDir(path(QStringLiteral("case"))).removeRecursively();
        tl_set_mail_sender(*c.sender_name ? "ucetni@firma.cz" : "", c.sender_name);
        const QString name = QString::fromUtf8(c.attachment_name);
        const Draft draft = create(c.recipient, write_file(QStringLiteral("case/") + name));
        ASSERT_NE(draft.result, 0) << draft.error;

        const ParsedMessage message = parse_message(draft.buffer, path(QStringLiteral("parsed")));
        EXPECT_EQ(message.defects, QStringList());
        QStringList expected_headers = {QStringLiteral("X-Unsent"), QStringLiteral("To"),
                                        QStringLiteral("Subject"), QStringLiteral("MIME-Version"),
                                        QStringLiteral("Content-Type")};
        if (*c.sender_name)
            expected_headers.insert(1, QStringLiteral("From"));
        EXPECT_EQ(message.header_names(), expected_headers);
        EXPECT_EQ(message.header(QStringLiteral("To")), QString::fromUtf8(c.to));
        ASSERT_EQ(message.attachments.size(), 1);
        EXPECT_EQ(message.attachments[0].filename, name);
        EXPECT_EQ(message.attachments[0].bytes, sample_pdf());
        const QString one_line = QString(name)
                                     .replace(QLatin1Char('\r'), QLatin1Char(' '))
                                     .replace(QLatin1Char('\n'), QLatin1Char(' '));
        EXPECT_TRUE(message.text.startsWith(
            QStringLiteral("Tento e-mail obsahuje přílohu \"%1\".\n").arg(one_line)))
            << message.text.toStdString();
    }
}

// A draft must never go out without the report.
TEST_F(CreateMail, AMissingOrEmptyAttachmentWritesNothing)
{
    const struct {
        QString attachment;
        const char *reason;
    } cases[] = {
        {path(QStringLiteral("chybi.pdf")), "příloha „"},
        {write_file(QStringLiteral("prazdna.pdf"), QByteArray()), "příloha „"},
        {path(QString()), "příloha „"},
        {QString(), "není zadána příloha."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.attachment.toStdString());
        const Draft draft = create("prijemce@example.cz", c.attachment);
        EXPECT_EQ(draft.result, 0);
        EXPECT_TRUE(zero_filled(draft));
        EXPECT_TRUE(starts_with(draft.error, c.reason)) << draft.error;
    }
    EXPECT_EQ(QDir(path(QString())).entryList({QStringLiteral("*.eml")}), QStringList());
}

// An invoice's electronic form travels beside its print, and never instead of it.
TEST_F(CreateMail, ASecondAttachmentFollowsTheReportOrNothingIsWritten)
{
    const QString report = write_file(QStringLiteral("priloha.pdf"));
    const QByteArray invoice = "<?xml version=\"1.0\"?><Invoice/>";
    tl_set_mail_second_attachment(
        write_file(QStringLiteral("priloha.isdoc"), invoice).toUtf8().constData());
    const Draft draft = create("prijemce@example.cz", report);
    ASSERT_NE(draft.result, 0) << draft.error;
    const ParsedMessage message = parse_message(draft.buffer, path(QStringLiteral("parsed")));
    EXPECT_EQ(message.defects, QStringList());
    EXPECT_EQ(message.text, QStringLiteral("Tento e-mail obsahuje přílohy \"priloha.pdf\" a "
                                           "\"priloha.isdoc\".\n"));
    ASSERT_EQ(message.attachments.size(), 2);
    EXPECT_EQ(message.attachments[0].bytes, sample_pdf());
    EXPECT_EQ(message.attachments[1].filename, QStringLiteral("priloha.isdoc"));
    EXPECT_EQ(message.attachments[1].content_type, QStringLiteral("application/xml"));
    EXPECT_EQ(message.attachments[1].bytes, invoice);

    QFile::remove(draft.buffer);
    tl_set_mail_second_attachment(path(QStringLiteral("chybi.isdoc")).toUtf8().constData());
    const Draft missing = create("prijemce@example.cz", report);
    EXPECT_EQ(missing.result, 0);
    EXPECT_TRUE(starts_with(missing.error, "příloha „")) << missing.error;
    EXPECT_EQ(QDir(path(QString())).entryList({QStringLiteral("*.eml")}), QStringList());

    tl_set_mail_second_attachment(nullptr);
    const Draft alone = create("prijemce@example.cz", report);
    ASSERT_NE(alone.result, 0) << alone.error;
    EXPECT_EQ(parse_message(alone.buffer, path(QStringLiteral("parsed2"))).attachments.size(), 1);
}
