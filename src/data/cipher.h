#pragma once
// The cipher of stored secrets (mail passwords, the SMTP user name): AES-192 in 8-bit
// cipher feedback over the Windows-1250 bytes of the text, written as Base64.  The key is
// the SHA-1 digest of the key text followed by four zero bytes; the initial vector is the
// key's encryption of a zero block.  Equal inputs give equal outputs, so the settings files
// of earlier installations stay readable.

#include <QString>

// The key text of the data module.  Changing it makes every stored secret unreadable.
inline constexpr char cipher_key_text[] = "[{A1DC2BA3-C615-4278-BC9F-8E208E5A61C4}]";

// Empty text stays empty; the text is taken as it stands, blanks at its ends included.
QString encrypt_text(const QString &text, const QString &key_text);

// Empty text, text that is not Base64 and a cipher failure all give empty text.
QString decrypt_text(const QString &text, const QString &key_text);
