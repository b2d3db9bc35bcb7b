#include "data/cipher.h"
#include "text/cp1250.h"

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

TEST(Cipher, RoundTripKeepsTheText)
{
    const QString long_text = QString("Příliš žluťoučký kůň úpěl ďábelské ódy. ").repeated(5);
    for (const QString &text : {QString("heslo"), QString("Příliš žluťoučký kůň"), long_text,
                                QString("a"), QString("=+/ \"'\\"), QString(" tajné1 ")}) {
        const QString cipher = encrypt_text(text, cipher_key_text);
        EXPECT_NE(cipher, text);
        EXPECT_EQ(QByteArray::fromBase64(cipher.toLatin1()).size(),
                  to_cp1250(text).size());
        EXPECT_EQ(decrypt_text(cipher, cipher_key_text), text);
        EXPECT_EQ(encrypt_text(text, cipher_key_text), cipher) << "equal inputs, equal outputs";
    }
}

TEST(Cipher, EdgeInputs)
{
    EXPECT_EQ(encrypt_text("", cipher_key_text), "");
    EXPECT_EQ(decrypt_text("", cipher_key_text), "");
    // Blanks belong to a secret.
    EXPECT_EQ(decrypt_text(encrypt_text("   ", cipher_key_text), cipher_key_text), "   ");
    EXPECT_NE(encrypt_text("  heslo \t", cipher_key_text), encrypt_text("heslo", cipher_key_text));
    for (const char *broken : {"not base64!", "ab$d", "žluť", "====", "QUJD\n"})
        EXPECT_EQ(decrypt_text(broken, cipher_key_text), "") << broken;

    const QString cipher = encrypt_text("heslo", cipher_key_text);
    EXPECT_NE(encrypt_text("heslo", "[{00000000-0000-0000-0000-000000000000}]"), cipher);
    EXPECT_NE(decrypt_text(cipher, "another key"), "heslo");
    EXPECT_EQ(QString(cipher_key_text).size(), 40);
}

class OpenSslCommand : public testing::Test {
protected:
    void SetUp() override
    {
        m_openssl = QStandardPaths::findExecutable("openssl");
        if (m_openssl.isEmpty())
            GTEST_SKIP() << "the openssl command is not on PATH";
    }

    QByteArray run(const QStringList &arguments, const QByteArray &input)
    {
        QProcess process;
        process.start(m_openssl, arguments);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }

    QString m_openssl;
};

TEST_F(OpenSslCommand, AgreesWithAes192Cfb8)
{
    const QByteArray key =
        run({"dgst", "-sha1", "-binary"}, to_cp1250(cipher_key_text)) + QByteArray(4, '\0');
    ASSERT_EQ(key.size(), 24);
    const QString key_hex = QString::fromLatin1(key.toHex());
    const QByteArray iv =
        run({"enc", "-aes-192-ecb", "-K", key_hex, "-nosalt", "-nopad"}, QByteArray(16, '\0'));
    ASSERT_EQ(iv.size(), 16);

    for (const QString &plain :
         {QString("heslo"), QString("smtp.uživatel@firma.cz"),
          QString("Příliš žluťoučký kůň úpěl ďábelské ódy, a ještě kousek navíc.")}) {
        const QByteArray theirs = run({"enc", "-aes-192-cfb8", "-K", key_hex, "-iv",
                                       QString::fromLatin1(iv.toHex()), "-nosalt", "-a", "-A"},
                                      to_cp1250(plain))
                                      .trimmed();
        EXPECT_EQ(encrypt_text(plain, cipher_key_text), QString::fromLatin1(theirs));
        EXPECT_EQ(decrypt_text(QString::fromLatin1(theirs), cipher_key_text), plain);
    }
}

} // namespace
