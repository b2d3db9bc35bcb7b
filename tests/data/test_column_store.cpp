#include "data/column_store.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

// Rows cross the store's chunks of 1 024; every value is checked against a plain vector.
struct Model {
    ColumnStore texts{FieldType::Text};
    ColumnStore numbers{FieldType::Float};
    std::vector<std::optional<std::string>> expected_texts;
    std::vector<std::optional<double>> expected_numbers;

    void append(int i)
    {
        if (i % 7 == 0) {
            texts.append_null();
            numbers.append_null();
            expected_texts.push_back(std::nullopt);
            expected_numbers.push_back(std::nullopt);
            return;
        }
        const std::string text = "řádek " + std::to_string(i);
        texts.append_text(text);
        numbers.append_number(i * 0.5);
        expected_texts.push_back(text);
        expected_numbers.push_back(i * 0.5);
    }

    void erase(int row)
    {
        texts.erase(row);
        numbers.erase(row);
        expected_texts.erase(expected_texts.begin() + row);
        expected_numbers.erase(expected_numbers.begin() + row);
    }

    void expect_same() const
    {
        ASSERT_EQ(texts.size(), int(expected_texts.size()));
        ASSERT_EQ(numbers.size(), int(expected_numbers.size()));
        for (int row = 0; row < texts.size(); ++row) {
            ASSERT_EQ(texts.is_null(row), !expected_texts[row]) << "row " << row;
            ASSERT_EQ(numbers.is_null(row), !expected_numbers[row]) << "row " << row;
            if (expected_texts[row])
                ASSERT_EQ(std::string(texts.text_utf8(row)), *expected_texts[row]) << row;
            if (expected_numbers[row])
                ASSERT_EQ(numbers.number(row), *expected_numbers[row]) << row;
        }
    }
};

} // namespace

TEST(ColumnStore, RowsAcrossTheChunkBoundarySurviveAppendNullsAndErase)
{
    Model model;
    for (int i = 0; i < 2100; ++i)
        model.append(i);
    model.expect_same();

    // The first row, the last of a chunk, the first of the next, and the very last.
    for (const int row : {0, 1023, 1024, -1}) {
        const int erased = row < 0 ? model.texts.size() - 1 : row;
        SCOPED_TRACE(erased);
        model.erase(erased);
        model.expect_same();
    }

    model.texts.set_null(1023);
    model.expected_texts[1023] = std::nullopt;
    model.texts.set_text(1024, "přes hranici");
    model.expected_texts[1024] = "přes hranici";
    model.numbers.set_number(1023, -1.25);
    model.expected_numbers[1023] = -1.25;
    model.expect_same();

    for (int i = 0; i < 10; ++i)
        model.append(5000 + i);
    model.expect_same();
}

TEST(ColumnStore, TextsOfEveryLengthComeBackByteForByte)
{
    // Around the lengths where a text leaves its reference, its length needs a second and a
    // third byte, and it outgrows a text block.
    const std::vector<std::string> texts = {
        "",   "T",  "Kč", "abc", "abcd", "ž", "čáp", std::string(127, 'a'),
        std::string(128, 'b'), std::string(16383, 'c'), std::string(16384, 'd'),
        std::string(70000, 'e'), "řádek s háčky"};
    ColumnStore store{FieldType::Text};
    std::vector<std::string> expected;
    for (int round = 0; round < 20; ++round)
        for (const std::string &text : texts) {
            store.append_text(text);
            expected.push_back(text);
        }
    const auto expect_same = [&] {
        ASSERT_EQ(store.size(), int(expected.size()));
        for (int row = 0; row < store.size(); ++row)
            ASSERT_EQ(std::string(store.text_utf8(row)), expected[size_t(row)]) << "row " << row;
    };
    expect_same();

    // A short text made long and a long one short leave their neighbours as they were.
    store.set_text(1, std::string(300, 'x'));
    expected[1] = std::string(300, 'x');
    store.set_text(11, "F");
    expected[11] = "F";
    expect_same();
    EXPECT_EQ(store.text(2), QStringLiteral("Kč"));
}

TEST(ColumnStore, ShortTextsCostNoMoreThanTheirReference)
{
    ColumnStore flags{FieldType::Text};
    const int rows = 10240;
    for (int row = 0; row < rows; ++row)
        flags.append_text(row % 3 ? "T" : "F");
    // Four bytes of reference and a null bit per row; no text block at all.
    EXPECT_LE(flags.memory_bytes(), size_t(rows) * 4 + size_t(rows) / 8 + 2048);
}
