#pragma once
// The Czech National Bank's daily fixing ("kurzy devizového trhu") and the currency list it
// updates.  The bank's text file reads
//
//     09.12.2026 #238
//     země|měna|množství|kód|kurz
//     EMU|euro|1|EUR|24,285
//     Japonsko|jen|100|JPY|14,120
//
// the date with the year's sequence number, the column names, then one currency a line
// with a decimal comma; the rate is the Kč value of `množství` units.  Files of 1999 to
// 2001 go on after a blank line with other rates, which are not the day's fixing.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class TdbAPI;

struct CnbRate {
    QString country;
    QString currency;
    QString code;
    int amount = 1;
    double rate = 0.0;
};

struct CnbRateList {
    QDate date;
    int sequence = 0;
    std::vector<CnbRate> rates;
};

struct CnbParseResult {
    CnbRateList list;
    // Empty when the file was read; otherwise the Czech reason, naming the line.
    QString error;
    int error_line = 0;

    bool ok() const { return error.isEmpty(); }
};

// UTF-8, as the bank sends it; a file saved in Windows-1250 is read as well.
CnbParseResult parse_cnb_rates(const QByteArray &file);

struct RateChange {
    QString currency;
    double old_rate = 0.0;
    double old_amount = 0.0;
    double new_rate = 0.0;
    double new_amount = 0.0;
    // The currency was not in the list and is added with the file's rate.
    bool added = false;
};

struct RateUpdate {
    // Every listed currency the file has a rate for, in the list's order, then the added.
    std::vector<RateChange> changes;
    // Listed currencies the file has no rate for (the home currency, a private code).
    QStringList missing;
    bool stored = false;
};

// The file's currencies that the list does not hold, in the file's order.
std::vector<CnbRate> unlisted_rates(TdbAPI &api, const CnbRateList &list);

// Sets CURR_KURS and CURR_AMOUNT of every listed currency whose CURR_NAME is a code of the
// file (letter case ignored), and adds the currencies of `add_codes` the list lacks, all in
// one transaction.  Nothing is stored when any write is refused (reported).
RateUpdate apply_cnb_rates(TdbAPI &api, const CnbRateList &list, const QStringList &add_codes);
