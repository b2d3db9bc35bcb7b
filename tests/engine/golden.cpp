#include "golden.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

double rounded(double value)
{
    return std::round(value * 100.0) / 100.0;
}

QJsonArray rect_json(const QRectF &rect)
{
    return {rounded(rect.x()), rounded(rect.y()), rounded(rect.width()), rounded(rect.height())};
}

QString color_json(QRgb color)
{
    return QStringLiteral("#%1").arg(color, 8, 16, QLatin1Char('0'));
}

const char *kind_name(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Text:
        return "text";
    case ObjectKind::Picture:
        return "picture";
    case ObjectKind::RichText:
        return "rich_text";
    case ObjectKind::Line:
        return "line";
    case ObjectKind::Barcode:
        return "barcode";
    }
    return "";
}

const char *band_name(BandKind kind)
{
    static const char *const names[] = {"report_title",  "page_header",  "page_footer",
                                        "column_header", "master_data",  "detail_data",
                                        "group_header",  "group_footer", "report_summary"};
    return names[int(kind)];
}

QJsonObject item_json(const DisplayItem &item)
{
    QJsonObject json{{"kind", kind_name(item.kind())},
                     {"band", band_name(item.band)},
                     {"row", item.row},
                     {"rect", rect_json(item.rect)}};
    if (item.frame.sides)
        json["frame"] = QJsonObject{{"sides", item.frame.sides},
                                    {"width", item.frame.width},
                                    {"style", int(item.frame.style)}};
    if (qAlpha(item.fill))
        json["fill"] = color_json(item.fill);
    if (const auto *text = std::get_if<DisplayText>(&item.content)) {
        json["font"] = text->font;
        QJsonArray lines;
        for (const TextLine &line : text->lines)
            lines.append(
                QJsonArray{rounded(line.position.x()), rounded(line.position.y()), line.text});
        json["lines"] = lines;
    } else if (const auto *rich = std::get_if<DisplayRichText>(&item.content)) {
        QJsonArray lines;
        if (rich->layout)
            for (const RichLine &line : rich->layout->lines)
                lines.append(QJsonArray{rounded(line.top), int(line.align), line.text()});
        json["lines"] = lines;
    } else if (const auto *picture = std::get_if<DisplayPicture>(&item.content)) {
        json["target"] = rect_json(picture->target);
    } else if (const auto *barcode = std::get_if<DisplayBarcode>(&item.content)) {
        json["modules"] = barcode->modules ? int(barcode->modules->size()) : 0;
    }
    return json;
}

} // namespace

// One font or item a line, keys sorted, so that a change shows as a readable diff.
QByteArray display_list_json(const PreparedReport &report)
{
    const auto compact = [](const QJsonObject &object) {
        return QJsonDocument(object).toJson(QJsonDocument::Compact);
    };
    QByteArray json = "{\n\"fonts\": [\n";
    for (size_t i = 0; i < report.fonts.size(); ++i) {
        const FontStyle &font = report.fonts[i].style;
        json += "  " + compact({{"family", font.family},
                                {"size", font.size},
                                {"bold", font.bold},
                                {"italic", font.italic}});
        json += i + 1 < report.fonts.size() ? ",\n" : "\n";
    }
    json += "],\n\"pages\": [\n";
    for (size_t p = 0; p < report.pages.size(); ++p) {
        const PreparedPage &page = report.pages[p];
        json += "  {\"size\": [" + QByteArray::number(page.size.width()) + ", " +
                QByteArray::number(page.size.height()) + "], \"items\": [\n";
        for (size_t i = 0; i < page.items.size(); ++i) {
            json += "    " + compact(item_json(page.items[i]));
            json += i + 1 < page.items.size() ? ",\n" : "\n";
        }
        json += p + 1 < report.pages.size() ? "  ]},\n" : "  ]}\n";
    }
    json += "]\n}\n";
    return json;
}

QString compare_with_golden(const QString &name, const PreparedReport &report)
{
    const QString path = QStringLiteral(TALLYRA_ENGINE_GOLDEN "/") + name + QStringLiteral(".json");
    const QByteArray actual = display_list_json(report);
    if (qEnvironmentVariable("TALLYRA_UPDATE_GOLDEN") == QLatin1String("1")) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(actual) != actual.size())
            return QStringLiteral("cannot write ") + path;
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("missing golden file %1 (TALLYRA_UPDATE_GOLDEN=1 writes it)")
            .arg(path);
    const QList<QByteArray> expected = file.readAll().split('\n');
    const QList<QByteArray> found = actual.split('\n');
    for (qsizetype i = 0; i < std::max(expected.size(), found.size()); ++i) {
        const QByteArray want = i < expected.size() ? expected[i] : QByteArray("<end>");
        const QByteArray got = i < found.size() ? found[i] : QByteArray("<end>");
        if (want != got)
            return QStringLiteral("%1.json line %2: expected %3, found %4")
                .arg(name)
                .arg(i + 1)
                .arg(QString::fromUtf8(want.trimmed()), QString::fromUtf8(got.trimmed()));
    }
    return {};
}
