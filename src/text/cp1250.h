#pragma once
// Windows-1250, the Central European code page in which older data, ciphered secrets and
// PDF texts are defined.  Our own table, so the conversion works without ICU.

#include <QByteArray>
#include <QString>

// Characters the code page lacks become '?' (one per character, also outside the BMP).
QByteArray to_cp1250(const QString &text);
QString from_cp1250(const QByteArray &bytes);

// False when to_cp1250 would have to replace some character by '?'.
bool fits_cp1250(const QString &text);
