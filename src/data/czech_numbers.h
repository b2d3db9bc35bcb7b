#pragma once
// Check digits of Czech identifiers: a firm's identification number (IČ), a domestic bank
// account number with its IBAN, and the written form of a post code.

#include <QString>

// The eight-digit IČ made of the seven digits of `base` (leading zeros kept) and its
// weighted mod-11 check digit.
QString ico_with_check_digit(int base);
bool is_valid_ico(const QString &ico);

// One part of a domestic account number (the prefix of up to six digits or the number of up
// to ten) passes when the sum of its digits, weighted from the right by 1, 2, 4, 8, 5, 10,
// 9, 7, 3, 6, is divisible by 11.
bool is_valid_account_part(qint64 part);

// "19-2000145399/0800": the prefix only when there is one, the number without leading zeros.
QString account_number_text(qint64 prefix, qint64 number, int bank_code);

// The IBAN of a domestic account, CZkk bbbb pppppp nnnnnnnnnn without spaces.
QString czech_iban(qint64 prefix, qint64 number, int bank_code);
// Any country's IBAN: letters and digits only (spaces allowed), and mod 97 of the
// rearranged number is 1.
bool is_valid_iban(const QString &iban);

// "401 96" for 40196.
QString postal_code_text(int code);
