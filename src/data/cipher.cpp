#include "data/cipher.h"

#include "text/cp1250.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <memory>
#include <openssl/evp.h>

namespace {

struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX *context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter>;

constexpr int key_length = 24;
constexpr int block_length = 16;

QByteArray cipher_key(const QString &key_text)
{
    QByteArray key = QCryptographicHash::hash(to_cp1250(key_text), QCryptographicHash::Sha1);
    key.append(key_length - key.size(), '\0');
    return key;
}

const unsigned char *bytes_of(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

// Runs one cipher over the whole input; empty on failure.
QByteArray run_cipher(const EVP_CIPHER *cipher, bool encrypt, const QByteArray &key,
                      const QByteArray &iv, const QByteArray &input)
{
    CipherContext context(EVP_CIPHER_CTX_new());
    if (!context)
        return {};
    if (EVP_CipherInit_ex(context.get(), cipher, nullptr, bytes_of(key),
                          iv.isEmpty() ? nullptr : bytes_of(iv), encrypt ? 1 : 0) != 1)
        return {};
    EVP_CIPHER_CTX_set_padding(context.get(), 0);
    QByteArray output(input.size() + block_length, '\0');
    auto *out = reinterpret_cast<unsigned char *>(output.data());
    int written = 0;
    int final_written = 0;
    if (EVP_CipherUpdate(context.get(), out, &written, bytes_of(input),
                         static_cast<int>(input.size())) != 1 ||
        EVP_CipherFinal_ex(context.get(), out + written, &final_written) != 1)
        return {};
    output.truncate(written + final_written);
    return output;
}

QByteArray cfb8(bool encrypt, const QString &key_text, const QByteArray &input)
{
    const QByteArray key = cipher_key(key_text);
    const QByteArray iv =
        run_cipher(EVP_aes_192_ecb(), true, key, {}, QByteArray(block_length, '\0'));
    if (iv.size() != block_length)
        return {};
    return run_cipher(EVP_aes_192_cfb8(), encrypt, key, iv, input);
}

} // namespace

QString encrypt_text(const QString &text, const QString &key_text)
{
    // Blanks at the ends belong to a secret: a password " tajné1 " must come back whole.
    const QByteArray plain = to_cp1250(text);
    if (plain.isEmpty())
        return {};
    return QString::fromLatin1(cfb8(true, key_text, plain).toBase64());
}

QString decrypt_text(const QString &text, const QString &key_text)
{
    if (text.isEmpty())
        return {};
    const auto decoded = QByteArray::fromBase64Encoding(
        text.toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return {};
    return from_cp1250(cfb8(false, key_text, decoded.decoded));
}
