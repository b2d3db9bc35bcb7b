// Check digits of Czech identifiers, against numbers published by their issuers.

#include "data/czech_numbers.h"

#include <gtest/gtest.h>

TEST(CzechNumbers, IcoCheckDigitFollowsTheWeightedModEleven)
{
    const struct {
        int base;
        const char *ico;
    } cases[] = {
        {4650533, "46505334"}, // remainder 7
        {694, "00006947"},     // the Ministry of Finance, leading zeros kept
        {2559664, "25596641"}, // remainder 0 gives 1
        {1000001, "10000011"}, // remainder 10 gives 1
        {1234567, "12345679"}, {0, "00000001"}, {1, "00000019"}, // remainder 2
        {3, "00000035"},                                         // remainder 6
        {7000000, "70000000"},                                   // remainder 1 gives 0
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ico);
        EXPECT_EQ(ico_with_check_digit(c.base), QString::fromLatin1(c.ico));
        EXPECT_TRUE(is_valid_ico(QString::fromLatin1(c.ico)));
    }
    for (const char *wrong : {"46505335", "12345678", "4650533", "465053341", "4650533x", ""})
        EXPECT_FALSE(is_valid_ico(QString::fromLatin1(wrong))) << wrong;
}

TEST(CzechNumbers, AccountPartsAndIbansCarryTheirCheckDigits)
{
    EXPECT_TRUE(is_valid_account_part(19));
    EXPECT_TRUE(is_valid_account_part(2000145399));
    EXPECT_TRUE(is_valid_account_part(145254386));
    EXPECT_TRUE(is_valid_account_part(0));
    EXPECT_FALSE(is_valid_account_part(2000145398));
    EXPECT_FALSE(is_valid_account_part(20));
    EXPECT_FALSE(is_valid_account_part(12345678901));

    EXPECT_EQ(account_number_text(19, 2000145399, 800), "19-2000145399/0800");
    EXPECT_EQ(account_number_text(0, 145254386, 2400), "145254386/2400");
    EXPECT_EQ(czech_iban(19, 2000145399, 800), "CZ6508000000192000145399");
    EXPECT_EQ(czech_iban(0, 145254386, 2400), "CZ0424000000000145254386");

    for (const char *valid : {"CZ6508000000192000145399", "CZ65 0800 0000 1920 0014 5399",
                              "DE89370400440532013000", "GB29NWBK60161331926819"})
        EXPECT_TRUE(is_valid_iban(QString::fromLatin1(valid))) << valid;
    for (const char *wrong : {"CZ6508000000192000145398", "CZ5608000000192000145399",
                              "6508000000192000145399CZ", "CZ65", ""})
        EXPECT_FALSE(is_valid_iban(QString::fromLatin1(wrong))) << wrong;
}

TEST(CzechNumbers, PostCodeIsWrittenInTwoGroups)
{
    EXPECT_EQ(postal_code_text(40196), "401 96");
    EXPECT_EQ(postal_code_text(12000), "120 00");
    EXPECT_EQ(postal_code_text(1796), "017 96");
}
