#include "data/demo_data.h"

#include "data/clock.h"
#include "data/czech_numbers.h"
#include "data/db_api.h"
#include "data/demo_catalogue.h"
#include "text/format_settings.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>
#include <random>
#include <set>

namespace {

using Cents = qint64;

// A tradesman who is no VAT payer must register once his turnover over twelve months passes
// two million koruny; the demo firm keeps every calendar year below this.
const Cents turnover_cap = 1'900'000'00;
// What such a firm invoices and sells for cash in a year, before the limits above bite.
const Cents invoiced_per_year = 1'100'000'00;
const Cents largest_invoice = 15'000'00;

const QString koruny = QStringLiteral("Kč");
const QString euro = QStringLiteral("EUR");

QString money(Cents cents)
{
    return sql_number(static_cast<double>(cents) / 100);
}

// One row of a multi-row INSERT; built by hand, since the journal has many thousands.
QString row(std::initializer_list<QString> values)
{
    qsizetype length = 2;
    for (const QString &value : values)
        length += value.size() + 2;
    QString text;
    text.reserve(length);
    text += u'(';
    for (const QString &value : values) {
        if (&value != values.begin())
            text += QLatin1String(", ");
        text += value;
    }
    text += u')';
    return text;
}

QString number_text(qint64 value)
{
    return QString::number(value);
}

// "%1" takes the month of the day, "%2" the number of an order or a delivery note.
QString fill(QString text, const QDate &day, int reference)
{
    if (!text.contains(u'%'))
        return text;
    return text.replace(QStringLiteral("%1"), day.toString(QStringLiteral("MM/yyyy")))
        .replace(QStringLiteral("%2"), QString::number(reference));
}

// "jan.novak" for "Jan Novák": letters without their accents, for mail and web addresses.
QString ascii_name(const QString &text)
{
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D).toLower()) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            plain += c;
        else if (c == u' ' || c == u'.' || c == u'-')
            plain += u'.';
    }
    while (plain.contains(QStringLiteral("..")))
        plain.replace(QStringLiteral(".."), QStringLiteral("."));
    return plain;
}

struct Partner {
    int address;
    int type; // 1 customer, 2 supplier, 3 both
    bool foreign;
};

struct Product {
    int recid;
    Cents cost;
    Cents euro_price; // 0 without a foreign price
    QString unit;
    int quantity_low;
    int quantity_high;
};

struct Invoice {
    int recid;
    int address;
    int number;
    QString var_s;
    QString currency;
    double rate;
    Cents to_pay;
};

class Generator {
public:
    Generator(TdbAPI &api, const DemoSize &size) : m_api(api), m_size(size), m_random(20260101) {}

    bool run() { return firm() && partners() && products() && documents() && journal(); }

private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }
    int between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    template <typename T> const T &pick_from(const std::vector<T> &list)
    {
        return list[size_t(pick(int(list.size())))];
    }
    template <typename T> const T &pick_weighted(const std::vector<T> &kinds)
    {
        int total = 0;
        for (const T &kind : kinds)
            total += kind.weight;
        int roll = pick(total);
        for (const T &kind : kinds) {
            if (roll < kind.weight)
                return kind;
            roll -= kind.weight;
        }
        return kinds.back();
    }
    QDate first_day() const { return QDate(today().year() - m_size.years + 1, 1, 1); }
    int days_in_years() const { return static_cast<int>(first_day().daysTo(today())) + 1; }
    QDate day_in_years() { return first_day().addDays(pick(days_in_years())); }
    double per_year(double count) const { return count * 365 / days_in_years(); }
    std::vector<QDate> sorted_days(int count)
    {
        std::vector<QDate> days(size_t(std::max(count, 0)));
        for (QDate &day : days)
            day = day_in_years();
        std::sort(days.begin(), days.end());
        return days;
    }
    // A text with the month in it (a rent, an advance) is used at most once in a month.
    bool month_taken(const QString &text, const QDate &day)
    {
        return text.contains(QStringLiteral("%1")) &&
               !m_monthly.insert({text, day.year() * 12 + day.month()}).second;
    }

    qint64 valid_account_part(qint64 low, qint64 high)
    {
        std::uniform_int_distribution<qint64> digits(low, high);
        for (;;)
            if (const qint64 part = digits(m_random); is_valid_account_part(part))
                return part;
    }

    // Rows go out as multi-row INSERTs, a few hundred at a time.
    bool insert(const QString &head, const QStringList &rows)
    {
        for (qsizetype start = 0; start < rows.size(); start += 400)
            if (!m_api.exec_sql(head + rows.mid(start, 400).join(u',')))
                return false;
        return true;
    }

    bool firm()
    {
        const demo::Bank &bank = demo::banks()[3];
        const qint64 account = valid_account_part(2000000000, 2999999999);
        m_invoice_address = m_api.new_recid();
        m_bank = m_api.new_recid();
        m_cash = m_api.new_recid();
        const QString street = QStringLiteral("Masarykova 1228/37");
        const QString city = postal_code_text(40001) + QStringLiteral(" Ústí nad Labem");
        return m_api.exec_sql(
                   "UPDATE CONF_ADDRESS SET MYNAME='Tomáš Dvořák – stavební a montážní práce', "
                   "MYID=" +
                   sql_quote(ico_with_check_digit(7315024)) +
                   ", MYVAT='', MYADDRESS=" + sql_quote(street + QStringLiteral("\r\n") + city) +
                   ", FORE_CURR='T', INVOICE_TEXT='Fyzická osoba zapsaná v živnostenském "
                   "rejstříku Magistrátu města Ústí nad Labem. Není plátcem DPH.' WHERE RECID=1") &&
               m_api.exec_sql(
                   "INSERT INTO CONF_INVOICE (RECID, NAZEV, ADRESA) VALUES " +
                   row({number_text(m_invoice_address), sql_quote(QStringLiteral("Sídlo")),
                        sql_quote(street + QStringLiteral(", ") + city)})) &&
               m_api.exec_sql(
                   "INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO, MADDRESS, SWIFT, IBAN) "
                   "VALUES " +
                   row({number_text(m_bank), "'T'", sql_quote(QStringLiteral("Běžný účet")),
                        sql_quote(account_number_text(0, account, bank.code)),
                        sql_quote(bank.name +
                                  QStringLiteral(", V Celnici 1028/10, 117 21 Praha 1")),
                        sql_quote(bank.swift), sql_quote(czech_iban(0, account, bank.code))}) +
                   ", " +
                   row({number_text(m_cash), "'F'", sql_quote(QStringLiteral("Pokladna")), "''",
                        "''", "''", "''"}));
    }

    bool partners()
    {
        QStringList par, addr, contact, bank;
        for (int n = 1; n <= m_size.partners; ++n) {
            const int id = m_api.new_recid();
            const int address = m_api.new_recid();
            if (n % 40 == 7) {
                const demo::ForeignCustomer &customer =
                    demo::foreign_customers()[size_t(n / 40) % demo::foreign_customers().size()];
                par << row({number_text(id), number_text(n), sql_quote(customer.name), "''",
                            sql_quote(QStringLiteral("DE%1").arg(between(100000000, 999999999))),
                            "'T'", "1"});
                addr << row({number_text(address), number_text(id), "'T'",
                             sql_quote(QStringLiteral("sídlo")), sql_quote(customer.street),
                             sql_quote(customer.city), sql_quote(customer.postal_code),
                             sql_quote(QStringLiteral("Německo"))});
                contact << row({number_text(m_api.new_recid()), number_text(id), "'e-mail'", "NULL",
                                sql_quote(QStringLiteral("info@") +
                                          ascii_name(customer.name).section(u'.', 0, 0) +
                                          QStringLiteral(".de"))});
                m_partners.push_back({address, 1, true});
                continue;
            }
            // Half are firms, a third tradesmen on their own, the rest private customers.
            const int kind = pick(6);
            const demo::Person person = someone(pick(4) == 0);
            const demo::City &city = pick(3) < 2 ? local_city() : pick_from(demo::cities());
            QString name;
            QString ico;
            bool vat = false;
            int type = 1;
            QString mail;
            if (kind < 3) {
                // A few tries for a name that no other firm has yet.
                QString trade_name;
                for (int attempt = 0;
                     attempt < 5 && (trade_name.isEmpty() || m_firm_names.count(trade_name));
                     ++attempt)
                    trade_name =
                        pick_from(demo::company_trades()) + u' ' + pick_from(demo::men()).surname;
                m_firm_names.insert(trade_name);
                name = trade_name +
                       (pick(5) == 0 ? QStringLiteral(" a.s.") : QStringLiteral(" s.r.o."));
                vat = pick(10) < 7;
                type = 1 + pick(3);
                mail = QStringLiteral("info@") + ascii_name(trade_name).replace(u'.', u'-') +
                       QStringLiteral(".cz");
            } else if (kind < 5) {
                name = person.first_name + u' ' + person.surname + QStringLiteral(" – ") +
                       pick_from(demo::sole_trader_trades());
                vat = pick(4) == 0;
                type = 1 + pick(3);
                mail = ascii_name(person.first_name + u' ' + person.surname) +
                       QStringLiteral("@seznam.cz");
            } else {
                name = person.first_name + u' ' + person.surname;
                mail = ascii_name(name) + QStringLiteral("@email.cz");
            }
            if (kind < 5)
                ico = ico_with_check_digit(between(100000, 9999999));
            par << row({number_text(id), number_text(n), sql_quote(name), sql_quote(ico),
                        sql_quote(vat ? QStringLiteral("CZ") + ico : QString()),
                        vat ? "'T'" : "'F'", number_text(type)});
            const QString street =
                QStringLiteral("%1 %2")
                    .arg(pick_from(demo::streets()))
                    .arg(pick(3) == 0
                             ? QString::number(between(1, 80))
                             : QStringLiteral("%1/%2").arg(between(100, 2999)).arg(between(1, 60)));
            addr << row({number_text(address), number_text(id), "'T'",
                         sql_quote(kind < 5 ? QStringLiteral("sídlo") : QStringLiteral("bydliště")),
                         sql_quote(street), sql_quote(city.name),
                         sql_quote(postal_code_text(city.postal_code)), "NULL"});
            // A firm names someone of its staff, the others are their own contact.
            const demo::Person contact_person = kind < 3 ? someone(pick(2) == 0) : person;
            const QString contact_name =
                sql_quote(contact_person.first_name + u' ' + contact_person.surname);
            const bool mobile = pick(2);
            contact << row({number_text(m_api.new_recid()), number_text(id),
                            mobile ? "'mobil'" : "'telefon'", contact_name,
                            sql_quote(phone(city, mobile))})
                    << row({number_text(m_api.new_recid()), number_text(id), "'e-mail'",
                            contact_name, sql_quote(mail)});
            if (kind < 5 && pick(10) < 7) {
                const demo::Bank &account_bank = pick_from(demo::banks());
                const qint64 prefix = pick(4) == 0 ? valid_account_part(10, 999999) : 0;
                const qint64 account = valid_account_part(100000, 9999999999);
                bank << row({number_text(m_api.new_recid()), number_text(id),
                             sql_quote(QStringLiteral("Hlavní účet")), sql_quote(account_bank.name),
                             sql_quote(account_number_text(prefix, account, account_bank.code)),
                             sql_quote(czech_iban(prefix, account, account_bank.code)),
                             sql_quote(account_bank.swift)});
            }
            m_partners.push_back({address, type, false});
        }
        return insert("INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME, ICO, DIC, IS_VAT, "
                      "ID_PARTNER_TYPE) VALUES ",
                      par) &&
               insert(
                   "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, ADDRESS, "
                   "CITY, POSTAL_CODE, COUNTRY) VALUES ",
                   addr) &&
               insert("INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_TYPE, CONTACT_NAME, "
                      "CONTACT) VALUES ",
                      contact) &&
               insert("INSERT INTO PAR_BANK (RECID, ID_PARTNER, BANK_TITLE, BANK_NAME, "
                      "ACCOUNT_NUMBER, IBAN, ABA) VALUES ",
                      bank);
    }

    // First names and surnames are drawn apart, so that few people share both.
    demo::Person someone(bool woman)
    {
        const std::vector<demo::Person> &people = woman ? demo::women() : demo::men();
        return {pick_from(people).first_name, pick_from(people).surname};
    }

    const demo::City &local_city()
    {
        for (;;)
            if (const demo::City &city = pick_from(demo::cities()); city.local)
                return city;
    }

    QString phone(const demo::City &city, bool mobile)
    {
        if (mobile)
            return QStringLiteral("+420 %1 %2 %3")
                .arg(between(601, 799))
                .arg(between(100, 999))
                .arg(between(100, 999));
        return QStringLiteral("+420 %1%2 %3 %4")
            .arg(city.phone_area)
            .arg(pick(10))
            .arg(between(100, 999))
            .arg(between(100, 999));
    }

    bool products()
    {
        // The variants of a product are listed from the cheapest; each takes its part of the
        // product's price range.
        struct Choice {
            const demo::ProductKind *kind;
            QString name;
            int price_low;
            int price_high;
        };
        std::vector<Choice> choices;
        for (const demo::ProductKind &kind : demo::product_kinds()) {
            const int variants = int(kind.variants.size());
            const int step = (kind.price_high - kind.price_low) / variants;
            for (int v = 0; v < variants; ++v) {
                const QString &variant = kind.variants[size_t(v)];
                choices.push_back({&kind,
                                   variant.isEmpty() ? kind.name : kind.name + u' ' + variant,
                                   kind.price_low + v * step, kind.price_low + (v + 1) * step});
            }
        }
        const double rate = demo::eur_rate(today());
        QStringList rows, prices;
        for (int n = 1; n <= m_size.products; ++n) {
            const Choice &choice = choices[size_t(n - 1) % choices.size()];
            const demo::ProductKind &kind = *choice.kind;
            const size_t series = size_t(n - 1) / choices.size();
            const QString name =
                series ? choice.name + QStringLiteral(" – řada %1").arg(series + 1) : choice.name;
            // Work is priced in whole koruny, goods to ten hellers.
            const int step = kind.service ? 100 : 10;
            const Cents cost = std::max<Cents>(
                step, Cents(between(choice.price_low, choice.price_high)) / step * step);
            Cents euro_price = 0;
            // Some goods also go to the customers over the border, at a price of their own.
            if (!kind.service && pick(3) == 0)
                euro_price = std::max<Cents>(5, std::llround(cost * 1.1 / rate / 5) * 5);
            const int id = m_api.new_recid();
            rows << row({number_text(id), number_text(n), sql_quote(name), kind.service ? "2" : "1",
                         sql_quote(kind.unit), money(cost)});
            if (euro_price)
                prices << row({number_text(m_api.new_recid()), number_text(id), money(euro_price),
                               sql_quote(euro)});
            m_products.push_back(
                {id, cost, euro_price, kind.unit, kind.quantity_low, kind.quantity_high});
        }
        // Units the goods above are sold in, beside those every new database has.
        for (const char *unit : {"m²", "km", "l"})
            if (!m_api.exec_sql(QString("INSERT INTO PRO_UNITS (RECID, UNIT_SHORT) SELECT %1, %2 "
                                        "WHERE NOT EXISTS (SELECT 1 FROM PRO_UNITS WHERE "
                                        "UNIT_SHORT = %2)")
                                    .arg(m_api.new_recid())
                                    .arg(sql_quote(QString::fromUtf8(unit)))))
                return false;
        return insert("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, ID_PRO_GRP, UNITV, COST) VALUES ",
                      rows) &&
               insert("INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES ", prices) &&
               m_api.exec_sql(QString("UPDATE CURR_LIST SET CURR_KURS = %1 WHERE CURR_NAME = 'EUR'")
                                  .arg(sql_number(rate))) &&
               m_api.exec_sql(QString("UPDATE CURR_LIST SET CURR_KURS = %1 WHERE CURR_NAME = 'USD'")
                                  .arg(sql_number(std::round(rate / 1.09 * 1000) / 1000)));
    }

    // Issued documents go to customers, received ones come from suppliers; a small set of
    // partners without either takes any partner at home.
    void sort_partners()
    {
        for (const Partner &partner : m_partners) {
            if (partner.foreign) {
                m_foreign_customers.push_back(partner.address);
                continue;
            }
            m_home_partners.push_back(partner.address);
            if (partner.type != 2)
                m_customers.push_back(partner.address);
            if (partner.type != 1)
                m_suppliers.push_back(partner.address);
        }
    }

    int partner_address(bool customer, bool foreign)
    {
        const std::vector<int> &wanted =
            foreign ? m_foreign_customers : (customer ? m_customers : m_suppliers);
        return pick_from(wanted.empty() ? m_home_partners : wanted);
    }

    // The lines of an issued invoice near the amount aimed at: their quantities are
    // stretched or cut, never below one nor far above what one order takes.
    struct Line {
        const Product *product;
        qint64 quantity;
        Cents price;
    };
    std::vector<Line> invoice_lines(bool in_euro, double rate, Cents aimed_at)
    {
        std::vector<Line> lines(size_t(1 + pick(4)));
        Cents total = 0;
        for (Line &line : lines) {
            line.product = &pick_from(m_products);
            line.quantity = between(line.product->quantity_low, line.product->quantity_high);
            line.price = !in_euro ? line.product->cost
                         : line.product->euro_price
                             ? line.product->euro_price
                             : std::max<Cents>(1, std::llround(line.product->cost / rate));
            total += line.quantity * line.price;
        }
        if (in_euro)
            aimed_at = std::llround(aimed_at / rate);
        for (Line &line : lines)
            line.quantity = std::clamp<qint64>(line.quantity * aimed_at / total, 1,
                                               3 * line.product->quantity_high);
        return lines;
    }

    bool documents()
    {
        QStringList head, drs[4], items, payments;
        std::map<std::pair<int, int>, int> numbers; // (type, year) -> last number
        std::vector<Invoice> invoices[2];           // issued and received
        const Cents invoice_mean = std::min<Cents>(
            largest_invoice,
            Cents(invoiced_per_year / std::max(per_year(m_size.documents * 0.55), 1.0)));
        const auto &received_kinds = demo::received_invoice_kinds();
        sort_partners();
        if (m_home_partners.empty() || m_products.empty())
            return m_size.documents <= 0;
        for (const QDate &date : sorted_days(m_size.documents)) {
            const int roll = pick(20);
            int type = roll < 11 ? 1 : (roll < 18 ? 2 : (roll < 19 ? 3 : 4));
            if (type > 2 && invoices[type - 3].empty())
                type -= 2;
            const bool foreign = type == 1 && pick(12) == 0 && !m_foreign_customers.empty();
            const QString currency = foreign ? euro : koruny;
            const double rate = foreign ? demo::eur_rate(date) : 1.0;
            std::vector<Line> lines;
            Cents total = 0;
            Cents to_pay = 0;
            if (type == 1) {
                const Cents aimed_at = invoice_mean * between(30, 170) / 100;
                lines = invoice_lines(foreign, rate, aimed_at);
                for (const Line &line : lines)
                    total += line.quantity * line.price;
                // Invoices in koruny are rounded to whole koruny, those in euro not at all.
                to_pay = foreign ? total : (total + 50) / 100 * 100;
                Cents &turnover = m_turnover[date.year()];
                const Cents home = std::llround(to_pay * rate);
                if (turnover + home > turnover_cap)
                    type = 2;
                else
                    turnover += home;
            }
            const int id = m_api.new_recid();
            const int number = date.year() * 10000 + ++numbers[{type, date.year()}];
            int address = 0;
            int link = 0;
            int category = 1;
            QString title;
            QString var_s;
            double doc_rate = rate;
            QString doc_currency = currency;
            int round_mode = 0;
            if (type == 1) {
                address = partner_address(true, foreign);
                title = fill(pick_from(demo::issued_invoice_titles()), date, between(100, 999));
                var_s = QString::number(number);
                round_mode = foreign ? 0 : 1;
                for (const Line &line : lines)
                    items << row({number_text(m_api.new_recid()), number_text(id),
                                  number_text(line.product->recid), number_text(line.quantity),
                                  sql_quote(line.product->unit), money(line.price),
                                  money(line.quantity * line.price), sql_quote(currency), "1",
                                  sql_number(rate), "0"});
            } else if (type == 2) {
                size_t kind_index = size_t(&pick_weighted(received_kinds) - received_kinds.data());
                QString text = pick_from(received_kinds[kind_index].texts);
                if (month_taken(text, date)) {
                    kind_index = 0;
                    text = pick_from(received_kinds[kind_index].texts);
                }
                const demo::EntryKind &kind = received_kinds[kind_index];
                // A bill that comes every month comes from the same supplier.
                address = text.contains(QStringLiteral("%1")) ? supplier_of(kind_index)
                                                              : partner_address(false, false);
                link = m_invoice_address;
                title = fill(text, date, between(1000, 9999));
                var_s =
                    QString::number(between(100000, 999999)) + QString::number(date.year() % 100);
                category = kind.category;
                doc_currency = koruny;
                doc_rate = 1.0;
                total = Cents(between(kind.amount_low * 100, kind.amount_high * 100));
                to_pay = total;
            } else {
                // A credit note corrects one of the latest invoices.
                const std::vector<Invoice> &corrected = invoices[type - 3];
                const Invoice &invoice =
                    corrected[corrected.size() - 1 -
                              size_t(pick(int(std::min<size_t>(15, corrected.size()))))];
                address = invoice.address;
                link = invoice.recid;
                var_s = invoice.var_s;
                doc_currency = invoice.currency;
                doc_rate = invoice.rate;
                title = QString(pick_from(demo::credit_note_titles()))
                            .replace(QStringLiteral("%1"), QString::number(invoice.number));
                // A whole invoice cancelled, or a part of it returned.
                total = pick(3) == 0 ? invoice.to_pay : invoice.to_pay * between(5, 40) / 100;
                to_pay = total;
                // An issued credit note is paid out like material bought back, a received one
                // comes in as another taxable income; each category takes that direction.
                category = type == 3 ? 3 : 2;
            }
            head << row({number_text(id), number_text(type), number_text(number),
                         number_text(address), sql_quote(sql_date(date)),
                         sql_quote(sql_date(date.addDays(type == 2 ? 30 : 14))), "0",
                         sql_quote(title), money(total), number_text(round_mode), money(to_pay),
                         sql_quote(doc_currency), "1", sql_number(doc_rate)});
            const bool by_cash = doc_currency == koruny && to_pay % 100 == 0 && pick(5) == 0;
            drs[type - 1] << row({number_text(id), sql_quote(var_s), "'0308'", number_text(link),
                                  number_text(by_cash ? m_cash : m_bank)});
            if (type <= 2)
                invoices[type - 1].push_back(
                    {id, address, number, var_s, doc_currency, doc_rate, to_pay});
            // Most documents older than six weeks are paid, some in two parts.
            if (date.daysTo(today()) > 42 && pick(10) < 8) {
                const bool in = type == 1 || type == 4;
                const Cents first = pick(5) == 0 ? to_pay / 200 * 100 : to_pay;
                const Cents parts[2] = {first, to_pay - first};
                const QString text = type <= 2 ? QStringLiteral("Úhrada faktury č. %1")
                                               : QStringLiteral("Vrácení platby k dobropisu č. %1");
                for (int p = 0; p < 2 && parts[p] != 0; ++p) {
                    const QDate paid = date.addDays(5 + pick(20) + p * 10);
                    payments << payment_row(id, paid, QString::number(number), category,
                                            in ? parts[p] : 0, in ? 0 : parts[p], doc_currency,
                                            doc_currency == euro ? demo::eur_rate(paid) : 1.0,
                                            text.arg(number), by_cash ? m_cash : m_bank);
                }
            }
        }
        return insert("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, "
                      "MATURITY_D, DISCOUNT, DOC_TITLE, ALL_SUM, ROUND_ID, ROUND_SUM, CURR_NAME, "
                      "CURR_AMOUNT, CURR_KURS) VALUES ",
                      head) &&
               insert("INSERT INTO DOC_DRS1 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES ",
                      drs[0]) &&
               insert("INSERT INTO DOC_DRS2 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES ",
                      drs[1]) &&
               insert("INSERT INTO DOC_DRS3 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES ",
                      drs[2]) &&
               insert("INSERT INTO DOC_DRS4 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES ",
                      drs[3]) &&
               insert(
                   "INSERT INTO DOC_ITEMS (RECID, HEADER_ID, PRO_ID, AMOUNT, UNITV, COST_PER_UNIT, "
                   "COST, CURR_NAME, CURR_AMOUNT, CURR_KURS, DISCOUNT) VALUES ",
                   items) &&
               insert(payment_head(), payments) &&
               m_api.exec_sql(
                   "UPDATE GENER_NO SET GEN_ID = ifnull((SELECT MAX(DOC_NO) FROM DOC_HEAD "
                   "WHERE ID_DOC_TYPE = GENER_NO.RECID), 0) WHERE RECID <= 4");
    }

    int supplier_of(size_t kind)
    {
        auto found = m_regular_suppliers.find(kind);
        if (found == m_regular_suppliers.end())
            found = m_regular_suppliers.emplace(kind, partner_address(false, false)).first;
        return found->second;
    }

    static QString payment_head()
    {
        return "INSERT INTO TE (RECID, DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, CASH_ID, "
               "ORIGIN_CURR, CURR_AMOUNT, CURR_KURS, INCOME, OUTCOME) VALUES ";
    }

    QString payment_row(int doc, const QDate &date, const QString &doc_no, int category,
                        Cents income, Cents outcome, const QString &currency, double rate,
                        const QString &text, int cash_id)
    {
        return row({number_text(m_api.new_recid()), number_text(doc), sql_quote(sql_date(date)),
                    sql_quote(doc_no), number_text(category), sql_quote(text), number_text(cash_id),
                    sql_quote(currency), "1", sql_number(rate), money(income), money(outcome)});
    }

    bool journal()
    {
        const auto &kinds = demo::journal_entry_kinds();
        const auto &petty = demo::petty_entry_kinds();
        const double regular = std::min(1.0, demo::journal_entries_per_year /
                                                 std::max(per_year(m_size.journal_entries), 1.0));
        const std::vector<QDate> days = sorted_days(m_size.journal_entries);
        QStringList rows;
        rows.reserve(m_size.journal_entries);
        int voucher = 0;
        for (size_t d = 0; d < days.size(); ++d) {
            const QDate &date = days[d];
            const bool small = pick(1000) >= regular * 1000;
            const demo::EntryKind *kind = &pick_weighted(small ? petty : kinds);
            QString text = pick_from(kind->texts);
            // A transfer takes two entries; the last day has room for one only.
            if (month_taken(text, date) ||
                (kind->category == demo::transfer_category && d + 1 == days.size())) {
                kind = &pick_weighted(petty);
                text = pick_from(kind->texts);
            }
            Cents amount = Cents(between(kind->amount_low * 100, kind->amount_high * 100));
            // Cash is paid in whole koruny.
            if (kind->cash || kind->category == demo::transfer_category)
                amount = std::max<Cents>(100, amount / 100 * 100);
            if (kind->income && kind->category <= 2) {
                Cents &turnover = m_turnover[date.year()];
                if (turnover + amount > turnover_cap) {
                    kind = &petty.back();
                    text = pick_from(kind->texts);
                } else {
                    turnover += amount;
                }
            }
            text = fill(text, date.addMonths(-1), 0);
            const QString voucher_no = QStringLiteral("PD%1").arg(++voucher);
            if (kind->category == demo::transfer_category) {
                rows << payment_row(0, date, voucher_no, kind->category, 0, amount, koruny, 1.0,
                                    text, m_bank);
                rows << payment_row(0, date, QStringLiteral("PD%1").arg(++voucher), kind->category,
                                    amount, 0, koruny, 1.0, text, m_cash);
                ++d;
                continue;
            }
            rows << payment_row(0, date, voucher_no, kind->category, kind->income ? amount : 0,
                                kind->income ? 0 : amount, koruny, 1.0, text,
                                kind->cash ? m_cash : m_bank);
        }
        return insert(payment_head(), rows) &&
               m_api.exec_sql(
                   QString("UPDATE GENER_NO SET GEN_ID=%1 WHERE RECID=128").arg(voucher));
    }

    TdbAPI &m_api;
    DemoSize m_size;
    std::mt19937 m_random;
    int m_invoice_address = 0;
    int m_bank = 0;
    int m_cash = 0;
    std::vector<Partner> m_partners;
    std::set<QString> m_firm_names;
    std::vector<int> m_home_partners; // addresses
    std::vector<int> m_customers;
    std::vector<int> m_suppliers;
    std::vector<int> m_foreign_customers;
    std::vector<Product> m_products;
    std::map<size_t, int> m_regular_suppliers;   // received-invoice kind -> address
    std::map<int, Cents> m_turnover;             // year -> issued invoices and cash sales
    std::set<std::pair<QString, int>> m_monthly; // (text, month) already used
};

} // namespace

bool fill_demo_data(TdbAPI &api, const DemoSize &size)
{
    if (!dm_start_transaction())
        return false;
    if (Generator(api, size).run())
        return dm_commit_transaction() != 0;
    dm_rollback_transaction();
    return false;
}
