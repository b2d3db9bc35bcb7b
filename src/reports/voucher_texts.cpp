#include "reports/voucher_texts.h"

#include "data/glob.h"
#include "data/memtable.h"
#include "reports/document_captions.h"
#include "taxrecords/cash_voucher.h"
#include "text/number_format.h"

std::pair<QString, QString> split_purpose_text(const QString &text)
{
    const qsizetype one_line = 47;
    const qsizetype search_from = 39; // the 40th character
    if (text.size() <= one_line)
        return {text, QString()};
    for (qsizetype at = search_from; at < text.size(); ++at) {
        if (QStringLiteral(" ,-.:").contains(text[at]))
            return {text.left(at + 1), text.mid(at + 1)};
    }
    return {text, QString()};
}

void write_voucher_texts(Report &report, const TMemTable &entry, const VoucherDetails &details,
                         bool income)
{
    const TField *amount_field = entry.find_field(income ? QStringLiteral("INCOME")
                                                         : QStringLiteral("OUTCOME"));
    const double amount = amount_field ? amount_field->as_float() : 0.0;
    const TField *currency_field = entry.find_field(QStringLiteral("ORIGIN_CURR"));
    const QString currency = currency_field ? currency_field->as_string() : QString();
    const auto [first_line, second_line] = split_purpose_text(details.purpose);
    set_report_text(report, QStringLiteral("in_doc"),
                    income ? QStringLiteral("PŘÍJMOVÝ POKLADNÍ DOKLAD")
                           : QStringLiteral("VÝDAJOVÝ POKLADNÍ DOKLAD"));
    set_report_text(report, QStringLiteral("sum_value"),
                    format_number(amount, QStringLiteral("### ### ##0.00 ") + currency));
    set_report_text(report, QStringLiteral("in_out_to"),
                    income ? QStringLiteral("Přijato od:") : QStringLiteral("Vyplaceno komu:"));
    set_report_text(report, QStringLiteral("prNO"), details.number);
    set_report_text(report, QStringLiteral("Memo16"),
                    first_line + QStringLiteral("\r\n") + second_line);
    set_report_text(report, QStringLiteral("pr1"), details.name);
    set_report_text(report, QStringLiteral("pr2"), details.address);
    set_report_text(report, QStringLiteral("value_as_text"),
                    QStringLiteral("/") + amount_in_words(amount) + QStringLiteral("/ ") + currency);
}
