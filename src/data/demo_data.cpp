#include "data/demo_data.h"

#include "data/clock.h"
#include "data/db_api.h"
#include "text/format_settings.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace {

const QStringList surnames = {
    "Novák", "Svoboda", "Novotný", "Dvořák", "Černý", "Procházka", "Kučera", "Veselý",
    "Horák", "Němec", "Pokorný", "Marek", "Pospíšil", "Hájek", "Jelínek", "Král", "Růžička",
    "Beneš", "Fiala", "Sedláček", "Doležal", "Zeman", "Kolář", "Navrátil", "Čermák"};
const QStringList trades = {
    "stavební práce", "truhlářství", "autoservis", "účetní služby", "elektroinstalace",
    "zahradnictví", "tiskárna", "velkoobchod", "pekařství", "instalatérství", "doprava",
    "reklamní studio"};
const QStringList legal_forms = {"s.r.o.", "a.s.", "", "v.o.s.", ""};
const QStringList streets = {
    "Husova", "Masarykova", "Palackého", "Komenského", "Nádražní", "Školní", "Zahradní",
    "Sokolská", "Žižkova", "Jiráskova", "Čs. armády", "Křižíkova"};
const QStringList cities = {
    "Praha", "Brno", "Ostrava", "Plzeň", "Liberec", "Olomouc", "České Budějovice",
    "Hradec Králové", "Ústí nad Labem", "Pardubice", "Zlín", "Jihlava", "Třebíč", "Kladno"};
const QStringList goods = {
    "Šroub M8", "Matice M8", "Deska dřevotřísková", "Lepidlo univerzální", "Kabel CYKY 3x2,5",
    "Zásuvka dvojitá", "Barva fasádní bílá", "Cement 25 kg", "Kartáč ocelový",
    "Žárovka LED 9 W", "Papír A4", "Toner černý", "Rukavice pracovní", "Hřebík 80 mm"};
const QStringList services = {
    "Montáž", "Doprava", "Konzultace", "Servisní zásah", "Projektová dokumentace",
    "Školení obsluhy", "Údržba zeleně", "Revize elektro"};
const QStringList units = {"ks", "bal", "m", "kg", "hod"};

class Generator {
public:
    Generator(TdbAPI &api, const DemoSize &size) : m_api(api), m_size(size), m_random(20260101) {}

    bool run()
    {
        return firm() && partners() && products() && documents() && journal();
    }

private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }
    template <typename T> const T &pick_from(const QList<T> &list) { return list[pick(list.size())]; }
    double money(double low, double high)
    {
        return std::round(std::uniform_real_distribution<double>(low, high)(m_random) * 100) / 100;
    }
    QDate day_in_years()
    {
        const QDate last = today();
        const QDate first(last.year() - m_size.years + 1, 1, 1);
        return first.addDays(pick(static_cast<int>(first.daysTo(last)) + 1));
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
        return m_api.exec_sql(
                   "UPDATE CONF_ADDRESS SET MYNAME='Ukázková firma Tallyra s.r.o.', MYID='12345678', "
                   "MYVAT='CZ12345678', MYADDRESS='Vinohradská 12' || char(13, 10) || '120 00 Praha 2', "
                   "FORE_CURR='T', INVOICE_TEXT='Firma je zapsána v obchodním rejstříku "
                   "vedeném Městským soudem v Praze, oddíl C, vložka 12345.' WHERE RECID=1") &&
               m_api.exec_sql(QString("INSERT INTO CONF_INVOICE (RECID, NAZEV, ADRESA) VALUES "
                                      "(%1, 'Sídlo', 'Vinohradská 12, 120 00 Praha 2')")
                                  .arg(m_invoice_address = m_api.new_recid())) &&
               m_api.exec_sql(QString("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO, MADDRESS, "
                                      "SWIFT, IBAN) VALUES (%1, 'T', 'Běžný účet', '123456789/0100', "
                                      "'Komerční banka, Praha', 'KOMBCZPP', 'CZ6501000000000123456789'), "
                                      "(%2, 'F', 'Pokladna', '', '', '', '')")
                                  .arg(m_bank = m_api.new_recid())
                                  .arg(m_cash = m_api.new_recid()));
    }

    bool partners()
    {
        QStringList par, addr, contact;
        for (int n = 1; n <= m_size.partners; ++n) {
            const int id = m_api.new_recid();
            const int address = m_api.new_recid();
            const QString name = QString("%1 – %2 %3").arg(pick_from(surnames), pick_from(trades),
                                                          pick_from(legal_forms)).trimmed();
            const int type = 1 + pick(3);
            par << QString("(%1, %2, %3, '%4', 'CZ%4', %5)")
                       .arg(id).arg(n).arg(sql_quote(name))
                       .arg(10000000 + pick(89999999)).arg(type);
            addr << QString("(%1, %2, 'T', 'fakturační', %3, %4, '%5')")
                        .arg(address).arg(id)
                        .arg(sql_quote(QString("%1 %2").arg(pick_from(streets)).arg(1 + pick(120))),
                             sql_quote(pick_from(cities)))
                        .arg(10000 + pick(70000));
            contact << QString("(%1, %2, 'telefon', '%3')")
                           .arg(m_api.new_recid()).arg(id)
                           .arg(QString("+420 %1 %2 %3").arg(600 + pick(200)).arg(100 + pick(900)).arg(100 + pick(900)));
            m_addresses.push_back({address, type});
        }
        return insert("INSERT INTO PAR (RECID, PARTNER_NO, PARTNER_NAME, ICO, DIC, ID_PARTNER_TYPE) VALUES ", par) &&
               insert("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, ADDRESS, CITY, "
                      "POSTAL_CODE) VALUES ", addr) &&
               insert("INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT_TYPE, CONTACT) VALUES ", contact);
    }

    bool products()
    {
        QStringList rows;
        for (int n = 1; n <= m_size.products; ++n) {
            const bool service = pick(3) == 0;
            const QString name = service ? pick_from(services) : pick_from(goods);
            const int id = m_api.new_recid();
            const double cost = service ? money(300, 1500) : money(5, 900);
            rows << QString("(%1, %2, %3, %4, '%5', %6)")
                        .arg(id).arg(n)
                        .arg(sql_quote(QString("%1 (%2)").arg(name).arg(n)))
                        .arg(service ? 2 : 1)
                        .arg(service ? QString("hod") : pick_from(units))
                        .arg(sql_number(cost));
            m_products.push_back({id, cost, service ? QString("hod") : QString("ks")});
        }
        return insert("INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, ID_PRO_GRP, UNITV, COST) VALUES ", rows);
    }

    std::vector<QDate> sorted_days(int count)
    {
        std::vector<QDate> days(count);
        for (QDate &day : days)
            day = day_in_years();
        std::sort(days.begin(), days.end());
        return days;
    }

    int address_for(int type)
    {
        // Issued documents go to customers (types 1 and 3), received ones come from suppliers.
        const bool customer = type == 1 || type == 3;
        for (;;) {
            const auto &[address, partner_type] = m_addresses[pick(static_cast<int>(m_addresses.size()))];
            if (partner_type == 3 || (partner_type == 1) == customer)
                return address;
        }
    }

    bool documents()
    {
        QStringList head, drs[4], items, payments;
        std::map<std::pair<int, int>, int> numbers; // (type, year) -> last number
        std::vector<std::pair<int, int>> invoices[2]; // (RECID, address) of types 1 and 2
        for (const QDate &date : sorted_days(m_size.documents)) {
            const int roll = pick(20);
            int type = roll < 12 ? 1 : (roll < 18 ? 2 : (roll < 19 ? 3 : 4));
            if (type > 2 && invoices[type - 3].empty())
                type -= 2;
            const int id = m_api.new_recid();
            int address = address_for(type);
            int link = type == 2 ? m_invoice_address : 0;
            const bool foreign = type == 1 && pick(15) == 0;
            const QString currency = foreign ? QString("EUR") : QString("Kč");
            const double rate = foreign ? 24.5 : 1.0;
            double total = 0;
            if (type == 1) {
                const int lines = 1 + pick(5);
                for (int l = 0; l < lines; ++l) {
                    const auto &[product, cost, unit] = m_products[pick(static_cast<int>(m_products.size()))];
                    const double amount = 1 + pick(10);
                    const double price = std::round(cost / rate * 100) / 100;
                    const double line = amount * price;
                    total += line;
                    items << QString("(%1, %2, %3, %4, '%5', %6, %7, '%8', 1, %9, 0)")
                                 .arg(m_api.new_recid()).arg(id).arg(product).arg(amount)
                                 .arg(unit, sql_number(price), sql_number(line), currency,
                                      sql_number(rate));
                }
            } else if (type == 2) {
                total = money(200, 60000);
            } else {
                const auto &[invoice, invoice_address] =
                    invoices[type - 3][pick(static_cast<int>(invoices[type - 3].size()))];
                address = invoice_address;
                link = invoice;
                total = money(100, 3000);
            }
            const int round_mode = type == 1 ? 2 : 0;
            const double to_pay = round_mode == 2 ? std::round(total * 2) / 2 : total;
            const int number = date.year() * 10000 + ++numbers[{type, date.year()}];
            head << QString("(%1, %2, %3, %4, '%5', '%6', 0, %7, %8, %9, %10, '%11', 1, %12)")
                        .arg(id).arg(type).arg(number).arg(address)
                        .arg(sql_date(date), sql_date(date.addDays(14)))
                        .arg(sql_quote(type <= 2 ? QString("Dodávka dle objednávky č. %1").arg(number % 10000)
                                                 : QString("Oprava fakturace")))
                        .arg(sql_number(total)).arg(round_mode).arg(sql_number(to_pay))
                        .arg(currency).arg(sql_number(rate));
            drs[type - 1] << QString("(%1, '%2', '0308', %3, %4)")
                                 .arg(id).arg(number).arg(link).arg(pick(4) == 0 ? m_cash : m_bank);
            if (type <= 2)
                invoices[type - 1].push_back({id, address});
            // Most documents older than a month are paid, some in two parts.
            if (date.daysTo(today()) > 30 && pick(10) < 8) {
                const bool in = type == 1 || type == 4;
                const double first = pick(5) == 0 ? std::round(to_pay * 50) / 100 : to_pay;
                const double parts[2] = {first, to_pay - first};
                for (int p = 0; p < 2 && parts[p] != 0; ++p)
                    payments << payment_row(id, date.addDays(5 + pick(20) + p * 10), QString::number(number),
                                            in ? 1 : 3, in ? parts[p] : 0, in ? 0 : parts[p],
                                            currency, rate, QString("Úhrada dokladu %1").arg(number));
            }
        }
        return insert("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, MATURITY_D, "
                      "DISCOUNT, DOC_TITLE, ALL_SUM, ROUND_ID, ROUND_SUM, CURR_NAME, CURR_AMOUNT, "
                      "CURR_KURS) VALUES ", head) &&
               insert("INSERT INTO DOC_DRS1 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES ", drs[0]) &&
               insert("INSERT INTO DOC_DRS2 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES ", drs[1]) &&
               insert("INSERT INTO DOC_DRS3 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES ", drs[2]) &&
               insert("INSERT INTO DOC_DRS4 (RECID, VAR_S, CONST_S, ID_LINK, ID_BANK) VALUES ", drs[3]) &&
               insert("INSERT INTO DOC_ITEMS (RECID, HEADER_ID, PRO_ID, AMOUNT, UNITV, COST_PER_UNIT, COST, "
                      "CURR_NAME, CURR_AMOUNT, CURR_KURS, DISCOUNT) VALUES ", items) &&
               insert(payment_head(), payments) &&
               m_api.exec_sql("UPDATE GENER_NO SET GEN_ID = ifnull((SELECT MAX(DOC_NO) FROM DOC_HEAD "
                              "WHERE ID_DOC_TYPE = GENER_NO.RECID), 0) WHERE RECID <= 4");
    }

    QString payment_head() const
    {
        return "INSERT INTO TE (RECID, DOC_ID, DATE_D, DOC_NO, GRP_ID, TE_TEXT, CASH_ID, ORIGIN_CURR, "
               "CURR_AMOUNT, CURR_KURS, INCOME, OUTCOME) VALUES ";
    }

    QString payment_row(int doc, const QDate &date, const QString &number, int group, double income,
                        double outcome, const QString &currency, double rate, const QString &text)
    {
        return QString("(%1, %2, '%3', %4, %5, %6, %7, '%8', 1, %9, %10, %11)")
            .arg(m_api.new_recid()).arg(doc).arg(sql_date(date), sql_quote(number))
            .arg(group).arg(sql_quote(text)).arg(pick(4) == 0 ? m_cash : m_bank)
            .arg(currency, sql_number(rate), sql_number(income), sql_number(outcome));
    }

    bool journal()
    {
        static const QStringList incomes = {"Tržba za hotové", "Prodej zboží", "Přijatý úrok"};
        static const QStringList expenses = {"Nájem kanceláře", "Pohonné hmoty", "Telefon a internet",
                                             "Kancelářské potřeby", "Mzda", "Zdravotní pojištění",
                                             "Drobný materiál", "Poštovné"};
        QStringList rows;
        rows.reserve(m_size.journal_entries);
        int n = 0;
        for (const QDate &date : sorted_days(m_size.journal_entries)) {
            ++n;
            const bool in = pick(3) == 0;
            const double amount = money(50, in ? 20000 : 8000);
            const int group = in ? 1 + pick(2) : 3 + pick(4);
            rows << payment_row(0, date, QString("PD%1").arg(n), group, in ? amount : 0,
                                in ? 0 : amount, QString("Kč"), 1.0,
                                in ? pick_from(incomes) : pick_from(expenses));
        }
        return insert(payment_head(), rows) &&
               m_api.exec_sql(QString("UPDATE GENER_NO SET GEN_ID=%1 WHERE RECID=128").arg(m_size.journal_entries));
    }

    TdbAPI &m_api;
    DemoSize m_size;
    std::mt19937 m_random;
    int m_invoice_address = 0;
    int m_bank = 0;
    int m_cash = 0;
    std::vector<std::pair<int, int>> m_addresses; // (RECID, partner type)
    std::vector<std::tuple<int, double, QString>> m_products;
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
