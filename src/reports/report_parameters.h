#pragma once
// The conditions of a list report as the parameter dialog leaves them for the report entry
// points and the graphs: three texts, emptied when a dialog is created and set by its OK.
// What goes into each text, and its exact wording, is what the entry points rely on.

#include <QDate>
#include <QPoint>
#include <QString>

// Mode 0: the year; mode 2: a date condition for the record set; mode 6: the period as
// display text.
extern QString report_where;
extern QString report_filter;
extern QString report_order;
void clear_report_parameters();

enum class ReportMode : int {
    Year = 0,
    DocumentList = 1,
    PartnerDocuments = 2,
    Catalogue = 3,
    Sales = 4,
    PartnerList = 5,
    CashVouchers = 6,
};

enum class PartnerOrder { Number, Name, Group, Type };

// What the user chose in the dialog; a RECID of 0 means "all".
struct ReportChoices {
    int year = 0;
    QDate from;
    QDate to;
    bool paid = true;
    bool partly_paid = true;
    bool unpaid = true;
    int partner = 0;
    int product_group = 0;
    bool products_by_name = false;
    int partner_group = 0;
    int partner_type = 0;
    PartnerOrder partner_order = PartnerOrder::Number;
    bool income_vouchers = true;
};

struct ReportParameters {
    QString where;
    QString filter;
    QString order;
};

QString report_parameters_caption(ReportMode mode, int doc_type);
int report_parameters_help_topic(ReportMode mode);
bool has_period(ReportMode mode);
bool has_payment_states(ReportMode mode);
// The top of the period block on its mode's panel.
int period_block_top(ReportMode mode);
// Where the year option of that index (0 is the newest year) stands on its panel: columns
// of eight.
QPoint year_option_position(int index);

// C>='yyyy-mm-dd' and C<='yyyy-mm-dd'
QString period_iso_condition(const QString &column, const QDate &from, const QDate &to);
// The same with the dates in the short date format, for a record-set filter.
QString period_local_condition(const QString &column, const QDate &from, const QDate &to);
QString period_display_text(const QDate &from, const QDate &to);
// Empty when the period can be reported, else the Czech reason it cannot.
QString period_error(const QDate &from, const QDate &to);

// The condition on the payment state of the chosen boxes, empty when all three are ticked.
// Amounts are compared in whole cents, as the books show the state: a document counts as
// unpaid while nothing is paid, whatever its total.
QString payment_state_condition(const ReportChoices &choices);
int ticked_payment_states(const ReportChoices &choices);

ReportParameters build_report_parameters(ReportMode mode, const ReportChoices &choices);
