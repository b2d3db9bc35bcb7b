#include "calc/history_hash.h"

#include <gtest/gtest.h>

namespace {

TEST(HistoryHash, KnownValues)
{
    struct Case {
        const char *text;
        int32_t hash;
    };
    for (const Case &c : std::vector<Case>{
             {"ABC", 780591340},
             {"A B C", 780591340},
             {"abc", -1391202102},
             {"", -1},
             // Spaces and control characters are skipped, but a text of them is not empty.
             {"\tA\r\nB\x01 C", 780591340},
             {" ", -955982469},
             // Computed over the bytes of Python's cp1250 codec.
             {"Ř", 1887641037},
             {"Žluťoučký kůň", 774299307},
             {"A€", -1070993140},
             {"DBEDIT1PARADDR", -197427526},
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(history_hash(QString::fromUtf8(c.text)), c.hash);
    }
}

TEST(HistoryHash, CharactersOutsideTheCodePageCountAsOneQuestionMark)
{
    EXPECT_EQ(history_hash(QString::fromUtf8("A😀")), history_hash(QStringLiteral("A?")));
    EXPECT_NE(history_hash(QString::fromUtf8("Ř")), history_hash(QStringLiteral("?")));
}

} // namespace
