#include "masterdata/cnb_rates.h"

#include "data/db_api.h"
#include "data/db_transaction.h"
#include "masterdata/catalogue_write.h"
#include "text/cp1250.h"
#include "text/format_settings.h"

#include <QRegularExpression>
#include <QStringConverter>
#include <cmath>
#include <optional>

namespace {

const QString header = QStringLiteral("země|měna|množství|kód|kurz");
const QString currency_table = QStringLiteral("CURR_LIST");

QString decode(const QByteArray &file)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(file);
    if (utf8.hasError())
        text = from_cp1250(file);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

CnbParseResult failure(int line, const QString &reason)
{
    CnbParseResult result;
    result.error_line = line;
    result.error = QStringLiteral("Řádek %1: %2").arg(line).arg(reason);
    return result;
}

// The bank writes "24,285"; a file saved by hand may carry a point.
std::optional<double> rate_value(QString text)
{
    text = text.trimmed().replace(u',', u'.');
    static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d+)?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    const double value = text.toDouble();
    if (!std::isfinite(value) || value <= 0.0)
        return std::nullopt;
    return value;
}

struct ListedCurrency {
    int recid = 0;
    QString name;
    double rate = 0.0;
    double amount = 0.0;
};

std::vector<ListedCurrency> listed_currencies(TdbAPI &api)
{
    std::vector<ListedCurrency> listed;
    ScopedSet set = api.select_scoped(
        currency_table,
        QStringLiteral("SELECT RECID, CURR_NAME, CURR_KURS, CURR_AMOUNT FROM CURR_LIST ORDER BY "
                       "RECID"));
    if (!set)
        return listed;
    for (int row = 0; row < set->record_count(); ++row)
        listed.push_back({set->cell_value(row, 0).toInt(), set->cell_text(row, 1).trimmed(),
                          set->cell_value(row, 2).toDouble(), set->cell_value(row, 3).toDouble()});
    return listed;
}

const CnbRate *rate_of(const CnbRateList &list, const QString &code)
{
    for (const CnbRate &rate : list.rates)
        if (rate.code.compare(code, Qt::CaseInsensitive) == 0)
            return &rate;
    return nullptr;
}

bool is_listed(const std::vector<ListedCurrency> &listed, const QString &code)
{
    for (const ListedCurrency &currency : listed)
        if (currency.name.compare(code, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

CnbParseResult parse_cnb_rates(const QByteArray &file)
{
    const QStringList lines = decode(file).split(u'\n');
    static const QRegularExpression first_line(
        QStringLiteral("^(\\d{1,2}\\.\\d{1,2}\\.\\d{4})\\s+#(\\d+)$"));
    const auto first = first_line.match(lines.value(0).trimmed());
    const QDate date = first.hasMatch()
                           ? QDate::fromString(first.captured(1), QStringLiteral("d.M.yyyy"))
                           : QDate();
    if (!date.isValid())
        return failure(1, QStringLiteral("chybí datum kurzovního lístku a jeho pořadové číslo "
                                         "(například „09.12.2026 #238“)."));
    if (lines.value(1).trimmed().compare(header, Qt::CaseInsensitive) != 0)
        return failure(
            2, QStringLiteral("záhlaví není „%1“, soubor není kurzovní lístek ČNB.").arg(header));

    CnbParseResult result;
    result.list.date = date;
    result.list.sequence = first.captured(2).toInt();
    for (int index = 2; index < lines.size(); ++index) {
        const QString line = lines[index].trimmed();
        if (line.isEmpty())
            break;
        const int number = index + 1;
        const QStringList columns = line.split(u'|');
        if (columns.size() != 5)
            return failure(number, QStringLiteral("řádek nemá pět sloupců "
                                                  "(země|měna|množství|kód|kurz), má jich %1.")
                                       .arg(columns.size()));
        const QString code = columns[3].trimmed();
        if (code.isEmpty())
            return failure(number, QStringLiteral("chybí kód měny."));
        if (rate_of(result.list, code))
            return failure(number, QStringLiteral("měna %1 je v souboru podruhé.").arg(code));
        bool whole = false;
        const int amount = columns[2].trimmed().toInt(&whole);
        if (!whole || amount <= 0)
            return failure(number, QStringLiteral("množství „%1“ u měny %2 není kladné celé "
                                                  "číslo.")
                                       .arg(columns[2].trimmed(), code));
        const std::optional<double> rate = rate_value(columns[4]);
        if (!rate)
            return failure(number, QStringLiteral("kurz „%1“ u měny %2 není kladné číslo.")
                                       .arg(columns[4].trimmed(), code));
        result.list.rates.push_back(
            {columns[0].trimmed(), columns[1].trimmed(), code, amount, *rate});
    }
    if (result.list.rates.empty())
        return failure(3, QStringLiteral("soubor neobsahuje žádný kurz."));
    return result;
}

std::vector<CnbRate> unlisted_rates(TdbAPI &api, const CnbRateList &list)
{
    const std::vector<ListedCurrency> listed = listed_currencies(api);
    std::vector<CnbRate> unlisted;
    for (const CnbRate &rate : list.rates)
        if (!is_listed(listed, rate.code))
            unlisted.push_back(rate);
    return unlisted;
}

RateUpdate apply_cnb_rates(TdbAPI &api, const CnbRateList &list, const QStringList &add_codes)
{
    RateUpdate update;
    DbTransaction transaction;
    if (!transaction.active() && !api.read_only) {
        api.report_db_error(false);
        return update;
    }
    const std::vector<ListedCurrency> listed = listed_currencies(api);
    for (const ListedCurrency &currency : listed) {
        const CnbRate *rate = rate_of(list, currency.name);
        if (!rate) {
            update.missing << currency.name;
            continue;
        }
        const QString statement =
            QStringLiteral("UPDATE CURR_LIST SET CURR_KURS=%1, CURR_AMOUNT=%2 WHERE RECID=%3")
                .arg(sql_number(rate->rate), QString::number(rate->amount),
                     QString::number(currency.recid));
        if (!write_catalogue(api, currency_table, statement))
            return {};
        update.changes.push_back(
            {currency.name, currency.rate, currency.amount, rate->rate, double(rate->amount)});
    }
    for (const CnbRate &rate : list.rates) {
        if (!add_codes.contains(rate.code, Qt::CaseInsensitive) || is_listed(listed, rate.code))
            continue;
        const int recid = api.new_recid();
        if (recid == 0 && !api.read_only)
            return {};
        const QString statement =
            QStringLiteral("INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_TITLE, CURR_AMOUNT, "
                           "CURR_KURS) VALUES (%1, %2, %3, %4, %5)")
                .arg(QString::number(recid), sql_quote(rate.code),
                     sql_quote(rate.currency + QStringLiteral(" (") + rate.country +
                               QStringLiteral(")")),
                     QString::number(rate.amount), sql_number(rate.rate));
        if (!write_catalogue(api, currency_table, statement))
            return {};
        update.changes.push_back({rate.code, 0.0, 0.0, rate.rate, double(rate.amount), true});
    }
    update.stored = transaction.commit();
    if (!update.stored)
        return {};
    return update;
}
