#include "taxrecords/bank_statement_gpc.h"

#include "data/czech_numbers.h"
#include "text/cp1250.h"

#include <QCryptographicHash>
#include <QList>

namespace {

struct Field {
    const char *name; // as the message names it
    int start;        // first column, counted from 1
    int length;
};

// The header's trailing filler and the movement's due date are left out by some banks.
const Field header_account{"číslo účtu", 4, 16};
const Field header_old_balance{"starý zůstatek", 46, 14};
const Field header_old_sign{"znaménko starého zůstatku", 60, 1};
const Field header_new_balance{"nový zůstatek", 61, 14};
const Field header_new_sign{"znaménko nového zůstatku", 75, 1};
const Field header_date{"datum výpisu", 109, 6};
const int header_length = 114;

const Field movement_counter_account{"protiúčet", 20, 16};
const Field movement_id{"identifikátor transakce", 36, 13};
const Field movement_amount{"částka", 49, 12};
const Field movement_code{"kód účtování", 61, 1};
const Field movement_variable{"variabilní symbol", 62, 10};
const Field movement_bank_code{"kód banky protiúčtu", 74, 4};
const Field movement_constant{"konstantní symbol", 78, 4};
const Field movement_specific{"specifický symbol", 82, 10};
const Field movement_value_date{"datum valuty", 92, 6};
const Field movement_name{"název protiúčtu", 98, 20};
const Field movement_currency{"kód měny", 119, 4};
const int movement_length = 122;

struct ParseError {
    QString text;
};

class Line {
public:
    Line(int number, const QByteArray &bytes) : m_number(number), m_text(from_cp1250(bytes)) {}

    int number() const { return m_number; }

    QString text(const Field &field) const { return m_text.mid(field.start - 1, field.length); }

    [[noreturn]] void fail(const Field &field, const QString &why) const
    {
        throw ParseError{QStringLiteral("Řádek %1, pole „%2“: %3")
                             .arg(m_number)
                             .arg(QString::fromUtf8(field.name), why)};
    }

    // The line must reach past every field the record needs; the message names the first
    // field it cuts off.
    void require(std::initializer_list<const Field *> fields, int length) const
    {
        if (m_text.size() >= length)
            return;
        for (const Field *field : fields) {
            if (field->start - 1 + field->length > m_text.size())
                fail(*field, QStringLiteral("řádek je zkrácený (%1 znaků místo %2).")
                                 .arg(m_text.size())
                                 .arg(length));
        }
    }

    qint64 digits(const Field &field) const
    {
        const QString value = text(field);
        for (const QChar c : value) {
            if (!c.isDigit() || c.unicode() > '9')
                fail(field, QStringLiteral("„%1“ není číslo.").arg(value.trimmed()));
        }
        return value.toLongLong();
    }

    long long signed_amount(const Field &amount, const Field &sign) const
    {
        const long long value = digits(amount);
        const QString mark = text(sign);
        if (mark == QLatin1String("-"))
            return -value;
        if (mark != QLatin1String("+") && mark != QLatin1String("0") && mark != QLatin1String(" "))
            fail(sign, QStringLiteral("„%1“ není + ani -.").arg(mark));
        return value;
    }

    // DDMMYY; zeros are no date where `optional`.
    QDate date(const Field &field, bool optional = false) const
    {
        const qint64 value = digits(field);
        if (value == 0 && optional)
            return {};
        const QString t = text(field);
        const QDate result(2000 + t.mid(4, 2).toInt(), t.mid(2, 2).toInt(), t.left(2).toInt());
        if (!result.isValid())
            fail(field, QStringLiteral("„%1“ není datum (DDMMRR).").arg(t));
        return result;
    }

private:
    int m_number;
    QString m_text;
};

// Prefix and number as the header writes them, six and ten digits.
QString account_text(qint64 sixteen_digits)
{
    return account_number_text(sixteen_digits / 10000000000LL, sixteen_digits % 10000000000LL, 0)
        .section(u'/', 0, 0);
}

QString currency_code(const Line &line)
{
    static const QList<std::pair<int, const char *>> codes = {
        {0, "CZK"},   {203, "CZK"}, {978, "EUR"}, {840, "USD"}, {826, "GBP"}, {756, "CHF"},
        {985, "PLN"}, {348, "HUF"}, {752, "SEK"}, {208, "DKK"}, {578, "NOK"}};
    const qint64 number = line.digits(movement_currency);
    for (const auto &[code, name] : codes) {
        if (code == number)
            return QString::fromLatin1(name);
    }
    line.fail(movement_currency, QStringLiteral("měna %1 není známa.").arg(number));
}

// Bytes that Windows-1250 leaves undefined, or a line that is valid UTF-8 with letters
// above ASCII, mean the file was written in another encoding; reading it as 1250 would
// put garbage into the names.
bool is_other_encoding(const QByteArray &bytes)
{
    bool multibyte = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98 || c == 0)
            return true;
        if (c >= 0xC2 && c <= 0xF4 && i + 1 < bytes.size() &&
            (static_cast<unsigned char>(bytes[i + 1]) & 0xC0) == 0x80)
            multibyte = true;
    }
    return multibyte && !QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter);
}

BankMovement read_movement(const Line &line, const QByteArray &bytes)
{
    line.require({&movement_counter_account, &movement_id, &movement_amount, &movement_code,
                  &movement_variable, &movement_bank_code, &movement_constant, &movement_specific,
                  &movement_value_date, &movement_name, &movement_currency},
                 movement_length);
    BankMovement movement;
    movement.line = line.number();
    const qint64 counter = line.digits(movement_counter_account);
    const qint64 bank = line.digits(movement_bank_code);
    if (counter != 0)
        movement.counter_account =
            account_number_text(counter / 10000000000LL, counter % 10000000000LL, int(bank));
    const qint64 id = line.digits(movement_id);
    movement.transaction_id =
        id != 0 ? QString::number(id)
                : QString::fromLatin1(
                      QCryptographicHash::hash(bytes + QByteArray::number(line.number()),
                                               QCryptographicHash::Sha1)
                          .toHex());
    movement.amount_cents = line.digits(movement_amount);
    const QString code = line.text(movement_code);
    if (code == QLatin1String("1") || code == QLatin1String("5"))
        movement.credit = false;
    else if (code == QLatin1String("2") || code == QLatin1String("4"))
        movement.credit = true;
    else
        line.fail(movement_code, QStringLiteral("„%1“ není 1, 2, 4 ani 5.").arg(code));
    movement.reversal = code == QLatin1String("4") || code == QLatin1String("5");
    movement.variable_symbol = normalized_symbol(QString::number(line.digits(movement_variable)));
    movement.constant_symbol = normalized_symbol(QString::number(line.digits(movement_constant)));
    movement.specific_symbol = normalized_symbol(QString::number(line.digits(movement_specific)));
    movement.value_date = line.date(movement_value_date);
    movement.counter_name = line.text(movement_name).trimmed();
    movement.currency = currency_code(line);
    return movement;
}

} // namespace

StatementReading read_gpc_statement(const QByteArray &bytes)
{
    StatementReading reading;
    BankStatement &statement = reading.statement;
    const QList<QByteArray> lines = bytes.split('\n');
    bool has_header = false;
    try {
        for (int i = 0; i < lines.size(); ++i) {
            QByteArray raw = lines[i];
            if (raw.endsWith('\r'))
                raw.chop(1);
            if (raw.trimmed().isEmpty())
                continue;
            const int number = i + 1;
            if (is_other_encoding(raw))
                throw ParseError{
                    QStringLiteral("Řádek %1: text není v kódování Windows-1250.").arg(number)};
            const Line line(number, raw);
            const QString type = line.text(Field{"typ záznamu", 1, 3});
            if (type == QLatin1String("074")) {
                line.require({&header_account, &header_old_balance, &header_old_sign,
                              &header_new_balance, &header_new_sign, &header_date},
                             header_length);
                const QString account = account_text(line.digits(header_account));
                if (has_header && account != statement.account)
                    line.fail(header_account,
                              QStringLiteral("účet %1 se liší od účtu %2 prvního výpisu.")
                                  .arg(account, statement.account));
                const long long old_balance =
                    line.signed_amount(header_old_balance, header_old_sign);
                if (!has_header)
                    statement.old_balance_cents = old_balance;
                statement.account = account;
                statement.new_balance_cents =
                    line.signed_amount(header_new_balance, header_new_sign);
                statement.date = line.date(header_date);
                has_header = true;
            } else if (type == QLatin1String("075")) {
                if (!has_header)
                    line.fail(Field{"typ záznamu", 1, 3},
                              QStringLiteral("pohyb 075 před hlavičkou výpisu 074."));
                statement.movements.push_back(read_movement(line, raw));
                statement.movements.back().statement_date = statement.date;
            } else {
                line.fail(Field{"typ záznamu", 1, 3},
                          QStringLiteral("„%1“ není 074 ani 075.").arg(type));
            }
        }
        if (!has_header)
            throw ParseError{QStringLiteral("Soubor neobsahuje hlavičku výpisu (záznam 074).")};
    } catch (const ParseError &error) {
        reading.error = error.text;
        statement = {};
    }
    return reading;
}
