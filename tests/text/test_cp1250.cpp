#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1250, EveryCzechLetterBothWays)
{
    const QString letters = QStringLiteral("ÁáČčĎďÉéĚěÍíŇňÓóŘřŠšŤťÚúŮůÝýŽž");
    const QByteArray bytes("\xC1\xE1\xC8\xE8\xCF\xEF\xC9\xE9\xCC\xEC\xCD\xED\xD2\xF2\xD3\xF3"
                           "\xD8\xF8\x8A\x9A\x8D\x9D\xDA\xFA\xD9\xF9\xDD\xFD\x8E\x9E");
    EXPECT_EQ(to_cp1250(letters), bytes);
    EXPECT_EQ(from_cp1250(bytes), letters);
    EXPECT_TRUE(fits_cp1250(letters));
}

TEST(Cp1250, PunctuationOfTheUpperHalf)
{
    const QString text = QStringLiteral("€ „x“ – § ° × ß Łódź");
    const QByteArray bytes("\x80 \x84x\x93 \x96 \xA7 \xB0 \xD7 \xDF \xA3\xF3\x64\x9F");
    EXPECT_EQ(to_cp1250(text), bytes);
    EXPECT_EQ(from_cp1250(bytes), text);
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    const QString text = QStringLiteral("a日b") + QString::fromUcs4(U"\U0001F600") + "c";
    EXPECT_EQ(to_cp1250(text), "a?b?c");
    EXPECT_FALSE(fits_cp1250(text));
    EXPECT_TRUE(fits_cp1250(QString()));
}

TEST(Cp1250, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    const QString text = from_cp1250(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(to_cp1250(text), all);
}

} // namespace
