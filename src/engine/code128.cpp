#include "engine/code128.h"

#include <array>

namespace {

// Widths of bar, space, bar, space, bar, space of every symbol value, in modules.
constexpr std::array<const char *, 106> patterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232"};
constexpr const char *stop_pattern = "2331112";

constexpr int code_c = 99;
constexpr int code_b = 100;
constexpr int start_b = 104;
constexpr int start_c = 105;

qsizetype digit_run(const QString &text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && text.at(end).isDigit() && text.at(end).unicode() < 128)
        ++end;
    return end - from;
}

int value_b(QChar c)
{
    const char16_t code = c.unicode();
    return code >= 32 && code < 127 ? code - 32 : u'?' - 32;
}

} // namespace

std::vector<int> code128_values(const QString &text)
{
    enum class Set { None, B, C };
    std::vector<int> values;
    Set set = Set::None;
    const auto switch_to = [&](Set wanted) {
        if (set == wanted)
            return;
        if (set == Set::None)
            values.push_back(wanted == Set::C ? start_c : start_b);
        else
            values.push_back(wanted == Set::C ? code_c : code_b);
        set = wanted;
    };
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype run = digit_run(text, i);
        // Set C pays when it saves more symbols than the switches cost.  An odd digit left
        // over is written in set B.
        if (run >= 4 && (i == 0 || i + run == text.size() || run >= 6)) {
            switch_to(Set::C);
            for (const qsizetype end = i + run - run % 2; i < end; i += 2)
                values.push_back(text.at(i).digitValue() * 10 + text.at(i + 1).digitValue());
            continue;
        }
        switch_to(Set::B);
        values.push_back(value_b(text.at(i++)));
    }
    if (values.empty())
        switch_to(Set::B);
    int check = values.front();
    for (size_t i = 1; i < values.size(); ++i)
        check += int(i) * values[i];
    values.push_back(check % 103);
    return values;
}

std::vector<QRectF> code128_bars(const QString &text, int quiet_zone, const QSizeF &size)
{
    std::vector<const char *> symbols;
    for (const int value : code128_values(text))
        symbols.push_back(patterns[value]);
    symbols.push_back(stop_pattern);
    int modules = 2 * quiet_zone;
    for (const char *pattern : symbols)
        for (const char *width = pattern; *width; ++width)
            modules += *width - '0';
    const double module = size.width() / modules;
    std::vector<QRectF> bars;
    double x = quiet_zone * module;
    for (const char *pattern : symbols) {
        bool bar = true;
        for (const char *width = pattern; *width; ++width, bar = !bar) {
            const double extent = (*width - '0') * module;
            if (bar)
                bars.emplace_back(x, 0.0, extent, size.height());
            x += extent;
        }
    }
    return bars;
}
