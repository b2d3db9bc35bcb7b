#pragma once
// The Czech QR payment code ("QR Platba") of an issued invoice: the Short Payment
// Descriptor a banking app reads to fill in the payment order.

#include <QDate>
#include <QString>

// What the code is made of, as the invoice gives it.
struct QrPaymentDetails {
    QString account_no; // domestic "prefix-number/bank code"
    QString iban;       // used instead of the computed one when the account has it
    double amount = 0.0;
    QString currency; // "Kč" or an ISO code
    QString variable_symbol;
    QDate maturity;
    QString message;
};

// The payload, or why the invoice gets no code (then `payload` is empty).
struct QrPayment {
    QString payload;
    QString refusal;
};

// "SPD*1.0*ACC:…*AM:…*CC:…*DT:…*X-VS:…*MSG:…"; the due date, the variable symbol and the
// message only when the invoice has them, the message cut to 60 characters.
QrPayment qr_payment(const QrPaymentDetails &details);

// The IBAN of a domestic account written "prefix-number/bank code" (the prefix optional);
// empty when it is not a valid Czech account number.
QString iban_of_account(const QString &account_no);

// "CZK" for the home currency ("Kč"), else the currency's own three-letter code in capitals;
// a name that is no such code is refused with the reason in `refusal`.
QString currency_iso_code(const QString &currency, QString &refusal);

class Report;
class TMemTable;

// The code of the invoice in the header's current row into the barcode object `qr_payment`,
// or, when the invoice gets none, the code and its caption `qr_caption` taken off the page.
// The reason why there is no code.
QString write_qr_payment(Report &report, const TMemTable &header);
