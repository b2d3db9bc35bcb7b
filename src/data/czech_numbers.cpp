#include "data/czech_numbers.h"

namespace {

// Mod 97 of the digits of an IBAN moved into its checking order, taken digit by digit so
// that no number grows beyond a few digits.
int iban_remainder(const QString &rearranged)
{
    int remainder = 0;
    for (const QChar c : rearranged) {
        const int value = c.isDigit() ? c.digitValue() : c.toUpper().unicode() - 'A' + 10;
        remainder = (value >= 10 ? remainder * 100 : remainder * 10) + value;
        remainder %= 97;
    }
    return remainder;
}

} // namespace

QString ico_with_check_digit(int base)
{
    const QString digits = QString::number(base).rightJustified(7, u'0');
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += digits[i].digitValue() * (8 - i);
    return digits + QString::number((11 - sum % 11) % 10);
}

bool is_valid_ico(const QString &ico)
{
    bool digits = ico.size() == 8;
    for (const QChar c : ico)
        digits = digits && c >= u'0' && c <= u'9';
    return digits && ico_with_check_digit(ico.left(7).toInt()) == ico;
}

bool is_valid_account_part(qint64 part)
{
    if (part < 0 || part > 9999999999)
        return false;
    int sum = 0;
    int weight = 1;
    for (; part > 0; part /= 10) {
        sum += static_cast<int>(part % 10) * weight;
        weight = weight * 2 % 11;
    }
    return sum % 11 == 0;
}

QString account_number_text(qint64 prefix, qint64 number, int bank_code)
{
    const QString bank = QString::number(bank_code).rightJustified(4, u'0');
    return (prefix ? QString::number(prefix) + u'-' : QString()) + QString::number(number) + u'/' +
           bank;
}

QString czech_iban(qint64 prefix, qint64 number, int bank_code)
{
    const QString bban = QString::number(bank_code).rightJustified(4, u'0') +
                         QString::number(prefix).rightJustified(6, u'0') +
                         QString::number(number).rightJustified(10, u'0');
    const int check = 98 - iban_remainder(bban + QStringLiteral("CZ00"));
    return QStringLiteral("CZ") + QString::number(check).rightJustified(2, u'0') + bban;
}

bool is_valid_iban(const QString &iban)
{
    QString compact = iban;
    compact.remove(u' ');
    if (compact.size() < 5)
        return false;
    for (int i = 0; i < compact.size(); ++i) {
        const QChar c = compact[i].toUpper();
        const bool letter = c >= u'A' && c <= u'Z';
        const bool digit = c >= u'0' && c <= u'9';
        if (i < 2 ? !letter : (i < 4 ? !digit : !(letter || digit)))
            return false;
    }
    return iban_remainder(compact.mid(4) + compact.left(4)) == 1;
}

QString postal_code_text(int code)
{
    const QString digits = QString::number(code).rightJustified(5, u'0');
    return digits.left(3) + u' ' + digits.mid(3);
}
