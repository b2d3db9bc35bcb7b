#include "taxrecords/bank_statement_camt.h"
#include "taxrecords/bank_statement_gpc.h"
#include "text/cp1250.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(TALLYRA_BANK_FIXTURES "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

TEST(GpcStatement, ReadsHeaderAndMovementsWithTheirSymbolsAndWindows1250Names)
{
    const StatementReading reading = read_gpc_statement(fixture("statement.gpc"));
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    const BankStatement &statement = reading.statement;
    EXPECT_EQ(statement.account, QStringLiteral("19-2000145399"));
    EXPECT_EQ(statement.date, QDate(2026, 3, 15));
    EXPECT_EQ(statement.old_balance_cents, 5000000);
    EXPECT_EQ(statement.new_balance_cents, 5225100);
    ASSERT_EQ(statement.movements.size(), 5u);

    const BankMovement &first = statement.movements[0];
    EXPECT_EQ(first.line, 2);
    EXPECT_EQ(first.transaction_id, QStringLiteral("1000000000001"));
    EXPECT_EQ(first.amount_cents, 100000);
    EXPECT_TRUE(first.credit);
    EXPECT_FALSE(first.reversal);
    EXPECT_EQ(first.variable_symbol, QStringLiteral("2026001"));
    EXPECT_EQ(first.constant_symbol, QStringLiteral("308"));
    EXPECT_EQ(first.value_date, QDate(2026, 3, 12));
    EXPECT_EQ(first.counter_account, QStringLiteral("123456789/0100"));
    EXPECT_EQ(first.counter_name, QStringLiteral("Dvořák Jiří"));
    EXPECT_EQ(first.currency, QStringLiteral("CZK"));

    const BankMovement &debit = statement.movements[2];
    EXPECT_FALSE(debit.credit);
    EXPECT_EQ(debit.variable_symbol, QStringLiteral("770"));
    EXPECT_EQ(debit.counter_name, QStringLiteral("Šťastná Žaneta"));

    const BankMovement &fee = statement.movements[4];
    EXPECT_TRUE(fee.variable_symbol.isEmpty());
    EXPECT_TRUE(fee.counter_account.isEmpty());
    EXPECT_EQ(fee.text(), QStringLiteral("Poplatek za vedení"));
}

// Replaces `length` characters of line `line` (counted from 1) from column `column`.
QByteArray patched(QByteArray file, int line, int column, const QByteArray &with, int length)
{
    QList<QByteArray> lines = file.split('\n');
    lines[line - 1].replace(column - 1, length, with);
    return lines.join('\n');
}

TEST(GpcStatement, BadInputIsRefusedNamingTheLineAndTheField)
{
    const QByteArray good = fixture("statement.gpc");
    const QByteArray utf8 = from_cp1250(good).toUtf8();
    struct Case {
        const char *what;
        QByteArray bytes;
        const char *expected;
    };
    const Case cases[] = {
        {"truncated movement", patched(good, 3, 81, "", 48), "Řádek 3, pole „konstantní symbol“"},
        {"truncated header", patched(good, 1, 60, "", 69), "Řádek 1, pole „znaménko starého"},
        {"unknown record type", patched(good, 4, 1, "076", 3), "Řádek 4, pole „typ záznamu“"},
        {"letters in the amount", patched(good, 2, 49, "0000001X0000", 12),
         "Řádek 2, pole „částka“"},
        {"unknown posting code", patched(good, 5, 61, "3", 1), "Řádek 5, pole „kód účtování“"},
        {"impossible value date", patched(good, 6, 92, "310226", 6),
         "Řádek 6, pole „datum valuty“"},
        {"unknown currency", patched(good, 2, 119, "0999", 4), "Řádek 2, pole „kód měny“"},
        {"bad balance sign", patched(good, 1, 60, "*", 1), "Řádek 1, pole „znaménko starého"},
        {"movement before any header", good.mid(good.indexOf('\n') + 1), "Řádek 1, pole „typ"},
        {"file in UTF-8", utf8, "Řádek 1: text není v kódování Windows-1250"},
        {"not a statement at all", QByteArray(), "neobsahuje hlavičku"},
    };
    for (const Case &c : cases) {
        const StatementReading reading = read_gpc_statement(c.bytes);
        EXPECT_FALSE(reading.ok()) << c.what;
        EXPECT_TRUE(reading.error.startsWith(QString::fromUtf8(c.expected)) ||
                    reading.error.contains(QString::fromUtf8(c.expected)))
            << c.what << ": " << reading.error.toStdString();
        EXPECT_TRUE(reading.statement.movements.empty()) << c.what;
    }
}

TEST(GpcStatement, ReversalsTurnTheDirectionAndAMissingIdIsADigestOfTheRecord)
{
    QByteArray file = fixture("statement.gpc");
    file = patched(file, 2, 61, "5", 1);              // a reversed credit takes money back
    file = patched(file, 3, 36, "0000000000000", 13); // a bank that gives no ids
    const StatementReading reading = read_gpc_statement(file);
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    EXPECT_FALSE(reading.statement.movements[0].credit);
    EXPECT_TRUE(reading.statement.movements[0].reversal);
    const QString digest = reading.statement.movements[1].transaction_id;
    EXPECT_EQ(digest.size(), 40);
    EXPECT_EQ(read_gpc_statement(file).statement.movements[1].transaction_id, digest);
    EXPECT_NE(
        read_gpc_statement(patched(file, 3, 98, "Jiny", 4)).statement.movements[1].transaction_id,
        digest);
}

TEST(CamtStatement, ReadsAccountBalancesAndSymbolsFromReferences)
{
    const StatementReading reading = read_camt_statement(fixture("statement.camt.xml"));
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    const BankStatement &statement = reading.statement;
    EXPECT_EQ(statement.account, QStringLiteral("CZ6508000000192000145399"));
    EXPECT_EQ(statement.date, QDate(2026, 3, 31));
    EXPECT_EQ(statement.old_balance_cents, 5225100);
    EXPECT_EQ(statement.new_balance_cents, 5345100);
    ASSERT_EQ(statement.movements.size(), 2u);

    const BankMovement &credit = statement.movements[0];
    EXPECT_TRUE(credit.credit);
    EXPECT_EQ(credit.amount_cents, 150000);
    EXPECT_EQ(credit.variable_symbol, QStringLiteral("2026004"));
    EXPECT_EQ(credit.transaction_id, QStringLiteral("CAMT-0001"));
    EXPECT_EQ(credit.counter_name, QStringLiteral("Řezníček a syn s.r.o."));
    EXPECT_EQ(credit.counter_account, QStringLiteral("2400112233/2010"));
    EXPECT_EQ(credit.text(), QStringLiteral("Úhrada faktury 2026004"));
    EXPECT_EQ(credit.value_date, QDate(2026, 3, 30));

    const BankMovement &debit = statement.movements[1];
    EXPECT_FALSE(debit.credit);
    EXPECT_EQ(debit.variable_symbol, QStringLiteral("880"));
    EXPECT_EQ(debit.counter_name, QStringLiteral("Novák Petr"));
    EXPECT_EQ(debit.currency, QStringLiteral("CZK"));
}

TEST(CamtStatement, SymbolsAreFoundInTheShapesCzechBanksWriteThem)
{
    const QByteArray good = fixture("statement.camt.xml");
    struct Case {
        const char *end_to_end;
        const char *symbol;
    };
    const Case cases[] = {
        {"VS2026004", "2026004"}, {"/VS0042/SS/KS0308", "42"}, {"VS:77", "77"},
        {"0000123", "123"},       {"NOTPROVIDED", ""},
    };
    for (const Case &c : cases) {
        QByteArray file = good;
        file.replace("VS2026004", c.end_to_end);
        const StatementReading reading = read_camt_statement(file);
        ASSERT_TRUE(reading.ok()) << c.end_to_end;
        EXPECT_EQ(reading.statement.movements[0].variable_symbol, QLatin1String(c.symbol))
            << c.end_to_end;
    }
}

TEST(CamtStatement, SeveralStatementsOfOneAccountKeepTheirOwnDates)
{
    const QByteArray good = fixture("statement.camt.xml");
    const qsizetype begin = good.indexOf("    <Stmt>");
    const qsizetype end = good.indexOf("</Stmt>") + 8;
    QByteArray second = good.mid(begin, end - begin);
    second.replace("<Dt>2026-03-31</Dt></Dt>", "<Dt>2026-04-30</Dt></Dt>");
    second.replace("CAMT-0001", "CAMT-0101");
    QByteArray file = good;
    file.insert(end, second);
    const StatementReading reading = read_camt_statement(file);
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    ASSERT_EQ(reading.statement.movements.size(), 4u);
    EXPECT_EQ(reading.statement.movements[1].statement_date, QDate(2026, 3, 31));
    EXPECT_EQ(reading.statement.movements[2].statement_date, QDate(2026, 4, 30));
    EXPECT_EQ(reading.statement.date, QDate(2026, 4, 30));
    EXPECT_EQ(reading.statement.old_balance_cents, 5225100);

    second.replace("CZ6508000000192000145399", "CZ6508000000192000149999");
    file = good;
    file.insert(end, second);
    const StatementReading other = read_camt_statement(file);
    EXPECT_TRUE(
        other.error.contains(QStringLiteral("pole „Acct/Id“: účet CZ6508000000192000149999")))
        << other.error.toStdString();
}

TEST(CamtStatement, BadInputIsRefusedNamingTheLine)
{
    const QByteArray good = fixture("statement.camt.xml");
    struct Case {
        const char *what;
        QByteArray from;
        QByteArray to;
        const char *expected;
    };
    const Case cases[] = {
        {"amount with a comma", "1500.00", "1500,00", "Řádek 29, pole „Amt“"},
        {"amount of letters", "300.00", "tři sta", "Řádek 49, pole „Amt“"},
        {"no direction", "<CdtDbtInd>DBIT</CdtDbtInd>\n        <Sts>", "<Sts>",
         "Řádek 47, pole „CdtDbtInd“"},
        {"broken XML", "</Stmt>", "</Stm>", "soubor není platné XML"},
        {"another message", "BkToCstmrStmt", "CstmrCdtTrfInitn", "není bankovní výpis camt.053"},
        {"no account", "<IBAN>CZ6508000000192000145399</IBAN>", "", "neuvádí číslo účtu"},
    };
    for (const Case &c : cases) {
        QByteArray file = good;
        file.replace(c.from, c.to);
        const StatementReading reading = read_camt_statement(file);
        EXPECT_FALSE(reading.ok()) << c.what;
        EXPECT_TRUE(reading.error.contains(QString::fromUtf8(c.expected)))
            << c.what << ": " << reading.error.toStdString();
        EXPECT_TRUE(reading.statement.movements.empty()) << c.what;
    }
}

} // namespace
