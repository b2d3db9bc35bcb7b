#include "reports/qr_payment.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

QrPaymentDetails sound_invoice()
{
    QrPaymentDetails details;
    details.account_no = QStringLiteral("19-2000145399/0800");
    details.amount = 1500.5;
    details.currency = QStringLiteral("Kč");
    details.variable_symbol = QStringLiteral("2026001");
    details.maturity = QDate(2026, 1, 31);
    details.message = QStringLiteral("Faktura 2026001");
    return details;
}

struct PayloadCase {
    const char *what;
    std::function<void(QrPaymentDetails &)> change;
    const char *payload_part; // what the payload holds when there is a code
    const char *refusal_part; // or, when not empty, why there is none
};

} // namespace

TEST(QrPayment, SoundInvoiceGivesTheWholeDescriptor)
{
    EXPECT_EQ(qr_payment(sound_invoice()).payload,
              QStringLiteral("SPD*1.0*ACC:CZ6508000000192000145399*AM:1500.50*CC:CZK*DT:20260131"
                             "*X-VS:2026001*MSG:Faktura 2026001"));
}

TEST(QrPayment, PayloadOrTheReasonWhyThereIsNoCode)
{
    const std::vector<PayloadCase> cases{
        {"the account's own IBAN, written with spaces, wins",
         [](QrPaymentDetails &d) {
             d.account_no = QStringLiteral("2000145399/0800");
             d.iban = QStringLiteral("cz65 0800 0000 1920 0014 5399");
         },
         "*ACC:CZ6508000000192000145399*", ""},
        {"a number without prefix",
         [](QrPaymentDetails &d) { d.account_no = QStringLiteral("2000145399/0800"); },
         "*ACC:CZ7908000000002000145399*", ""},
        {"amount rounded to cents", [](QrPaymentDetails &d) { d.amount = 99.999; },
         "*AM:100.00*", ""},
        {"whole crowns keep two decimals", [](QrPaymentDetails &d) { d.amount = 7; },
         "*AM:7.00*", ""},
        {"no due date and no symbol leave their fields out",
         [](QrPaymentDetails &d) {
             d.maturity = {};
             d.variable_symbol.clear();
         },
         "*CC:CZK*MSG:Faktura 2026001", ""},
        {"a star in the message", [](QrPaymentDetails &d) { d.message = QStringLiteral("Obj. *A*"); },
         "*MSG:Obj. %2AA%2A", ""},
        {"the message cut to 60 characters",
         [](QrPaymentDetails &d) { d.message = QString(59, u'x') + QStringLiteral("yz"); },
         "*MSG:xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxy", ""},
        {"ten digits of variable symbol",
         [](QrPaymentDetails &d) { d.variable_symbol = QStringLiteral("1234567890"); },
         "*X-VS:1234567890*", ""},
        {"euro by its code", [](QrPaymentDetails &d) { d.currency = QStringLiteral("eur"); },
         "*CC:EUR*", ""},
        {"nothing to pay", [](QrPaymentDetails &d) { d.amount = 0; }, "", "částka"},
        {"a credit instead of a debt", [](QrPaymentDetails &d) { d.amount = -10; }, "",
         "částka"},
        {"less than half a cent is nothing", [](QrPaymentDetails &d) { d.amount = 0.004; }, "",
         "částka"},
        {"too large for ten characters", [](QrPaymentDetails &d) { d.amount = 10000000; }, "",
         "velká"},
        {"no account number", [](QrPaymentDetails &d) { d.account_no.clear(); }, "",
         "číslo účtu"},
        {"only an IBAN is no account number",
         [](QrPaymentDetails &d) {
             d.account_no.clear();
             d.iban = QStringLiteral("CZ6508000000192000145399");
         },
         "", "číslo účtu"},
        {"account number failing its check digits",
         [](QrPaymentDetails &d) { d.account_no = QStringLiteral("19-2000145398/0800"); }, "",
         "není platné"},
        {"account without bank code",
         [](QrPaymentDetails &d) { d.account_no = QStringLiteral("2000145399"); }, "",
         "není platné"},
        {"a wrong IBAN is not replaced by the computed one",
         [](QrPaymentDetails &d) { d.iban = QStringLiteral("CZ6608000000192000145399"); }, "",
         "IBAN"},
        {"a currency without ISO code", [](QrPaymentDetails &d) { d.currency = QStringLiteral("€"); },
         "", "ISO"},
        {"letters in the variable symbol",
         [](QrPaymentDetails &d) { d.variable_symbol = QStringLiteral("FV2026/1"); }, "",
         "Variabilní symbol"},
        {"eleven digits of variable symbol",
         [](QrPaymentDetails &d) { d.variable_symbol = QStringLiteral("12345678901"); }, "",
         "Variabilní symbol"},
    };
    for (const PayloadCase &c : cases) {
        SCOPED_TRACE(c.what);
        QrPaymentDetails details = sound_invoice();
        c.change(details);
        const QrPayment payment = qr_payment(details);
        if (*c.refusal_part) {
            EXPECT_TRUE(payment.payload.isEmpty()) << qPrintable(payment.payload);
            EXPECT_TRUE(payment.refusal.contains(QString::fromUtf8(c.refusal_part)))
                << qPrintable(payment.refusal);
        } else {
            EXPECT_TRUE(payment.refusal.isEmpty()) << qPrintable(payment.refusal);
            EXPECT_TRUE(payment.payload.startsWith(QStringLiteral("SPD*1.0*ACC:")));
            EXPECT_TRUE(payment.payload.contains(QString::fromUtf8(c.payload_part)))
                << qPrintable(payment.payload);
        }
    }
}
