#include "engine/template_loader.h"

#include "engine/report_error.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <initializer_list>
#include <utility>

namespace {

[[noreturn]] void fail(const QString &path, const QString &problem)
{
    throw ReportError(path.isEmpty() ? problem : path + QStringLiteral(": ") + problem);
}

template <typename T> using Choices = std::initializer_list<std::pair<const char *, T>>;

// Reads one JSON object, remembering which keys it used, so that a misspelt key is reported
// instead of silently ignored.
class ObjectReader {
public:
    ObjectReader(const QJsonValue &value, QString path) : m_path(std::move(path))
    {
        if (!value.isObject())
            fail(m_path, QStringLiteral("očekáván objekt"));
        m_object = value.toObject();
    }

    const QString &path() const { return m_path; }

    bool has(const char *key) const { return m_object.contains(QLatin1String(key)); }

    double number(const char *key, double fallback) { return has(key) ? number(key) : fallback; }

    double number(const char *key)
    {
        const QJsonValue value = take(key);
        if (!value.isDouble())
            fail(child(key), QStringLiteral("očekáváno číslo"));
        return value.toDouble();
    }

    double positive(const char *key, double fallback)
    {
        const double value = number(key, fallback);
        if (!(value > 0.0))
            fail(child(key), QStringLiteral("očekáváno kladné číslo"));
        return value;
    }

    double not_negative(const char *key, double fallback)
    {
        const double value = number(key, fallback);
        if (value < 0.0)
            fail(child(key), QStringLiteral("očekáváno číslo, které není záporné"));
        return value;
    }

    QString string(const char *key, const QString &fallback = {})
    {
        if (!has(key))
            return fallback;
        const QJsonValue value = take(key);
        if (!value.isString())
            fail(child(key), QStringLiteral("očekáván text"));
        return value.toString();
    }

    bool boolean(const char *key, bool fallback)
    {
        if (!has(key))
            return fallback;
        const QJsonValue value = take(key);
        if (!value.isBool())
            fail(child(key), QStringLiteral("očekáváno true nebo false"));
        return value.toBool();
    }

    QRgb color(const char *key, QRgb fallback)
    {
        if (!has(key))
            return fallback;
        const QString text = string(key);
        const QColor color = QColor::fromString(text);
        if (!text.startsWith(u'#') || !color.isValid())
            fail(child(key), QStringLiteral("očekávána barva ve tvaru \"#rrggbb\""));
        return color.rgba();
    }

    template <typename T> T choice(const char *key, Choices<T> choices, T fallback)
    {
        if (!has(key))
            return fallback;
        const QString text = string(key);
        QStringList names;
        for (const auto &[name, value] : choices) {
            if (text == QLatin1String(name))
                return value;
            names << QStringLiteral("\"%1\"").arg(QLatin1String(name));
        }
        fail(child(key), QStringLiteral("očekáváno %1").arg(names.join(QStringLiteral(", "))));
    }

    // An array of lines; a single text is one line.
    QStringList lines(const char *key)
    {
        if (!has(key))
            return {};
        const QJsonValue value = take(key);
        if (value.isString())
            return {value.toString()};
        if (!value.isArray())
            fail(child(key), QStringLiteral("očekáváno pole řádků textu"));
        QStringList lines;
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            if (!array.at(i).isString())
                fail(item(key, i), QStringLiteral("očekáván text"));
            lines << array.at(i).toString();
        }
        return lines;
    }

    ObjectReader object(const char *key) { return ObjectReader(take(key), child(key)); }

    template <typename Read> void each(const char *key, Read read)
    {
        if (!has(key))
            return;
        const QJsonValue value = take(key);
        if (!value.isArray())
            fail(child(key), QStringLiteral("očekáváno pole"));
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            ObjectReader element(array.at(i), item(key, i));
            read(element);
            element.finish();
        }
    }

    void require(const char *key) const
    {
        if (!has(key))
            fail(child(key), QStringLiteral("chybí povinná položka"));
    }

    void finish() const
    {
        for (auto it = m_object.begin(); it != m_object.end(); ++it)
            if (!m_used.contains(it.key()))
                fail(m_path.isEmpty() ? it.key() : m_path + u'.' + it.key(),
                     QStringLiteral("neznámá položka"));
    }

private:
    QJsonValue take(const char *key)
    {
        m_used.insert(QLatin1String(key));
        return m_object.value(QLatin1String(key));
    }

    QString child(const char *key) const
    {
        return m_path.isEmpty() ? QLatin1String(key) : m_path + u'.' + QLatin1String(key);
    }

    QString item(const char *key, qsizetype index) const
    {
        return child(key) + QStringLiteral("[%1]").arg(index);
    }

    QString m_path;
    QJsonObject m_object;
    QSet<QString> m_used;
};

FontStyle read_font(ObjectReader &reader)
{
    FontStyle font;
    font.family = reader.string("family", font.family);
    font.size = reader.positive("size", font.size);
    font.bold = reader.boolean("bold", false);
    font.italic = reader.boolean("italic", false);
    font.underline = reader.boolean("underline", false);
    return font;
}

Frame read_frame(ObjectReader &reader)
{
    Frame frame;
    const double sides = reader.number("sides", 0);
    if (sides < 0 || sides > frame_side::all || sides != int(sides))
        fail(reader.path() + QStringLiteral(".sides"),
             QStringLiteral("očekáván součet stran: vpravo 1, dole 2, vlevo 4, nahoře 8"));
    frame.sides = int(sides);
    frame.width = reader.positive("width", frame.width);
    frame.style = reader.choice<FrameStyle>("style",
                                            {{"solid", FrameStyle::Solid},
                                             {"dash", FrameStyle::Dash},
                                             {"dot", FrameStyle::Dot},
                                             {"double", FrameStyle::Double}},
                                            frame.style);
    frame.color = reader.color("color", frame.color);
    return frame;
}

TextContent read_text(ObjectReader &reader)
{
    TextContent text;
    text.text = reader.lines("text");
    if (reader.has("font")) {
        ObjectReader font = reader.object("font");
        text.font = read_font(font);
        font.finish();
    }
    text.color = reader.color("color", text.color);
    text.align = reader.choice<HAlign>(
        "align", {{"left", HAlign::Left}, {"center", HAlign::Center}, {"right", HAlign::Right}},
        text.align);
    text.valign = reader.choice<VAlign>(
        "valign", {{"top", VAlign::Top}, {"center", VAlign::Center}, {"bottom", VAlign::Bottom}},
        text.valign);
    text.word_wrap = reader.boolean("wrap", text.word_wrap);
    text.format = reader.string("format");
    text.padding = reader.not_negative("padding", text.padding);
    return text;
}

PictureContent read_picture(ObjectReader &reader, const QString &folder)
{
    PictureContent picture;
    picture.mode = reader.choice<PictureMode>("mode",
                                              {{"stretch", PictureMode::Stretch},
                                               {"keep_aspect", PictureMode::KeepAspect},
                                               {"center", PictureMode::Center}},
                                              picture.mode);
    const QString file = reader.string("file");
    if (!file.isEmpty()) {
        QImage image;
        if (!image.load(QDir(folder).filePath(file)))
            fail(reader.path() + QStringLiteral(".file"),
                 QStringLiteral("obrázek „%1“ nelze načíst").arg(file));
        picture.image = std::make_shared<const QImage>(image);
    }
    return picture;
}

BarcodeContent read_barcode(ObjectReader &reader)
{
    BarcodeContent barcode;
    barcode.symbology = reader.choice<BarcodeSymbology>(
        "symbology", {{"qr", BarcodeSymbology::Qr}, {"code128", BarcodeSymbology::Code128}},
        barcode.symbology);
    barcode.text = reader.lines("text");
    barcode.error_level = reader.choice<QrErrorLevel>("error_level",
                                                      {{"L", QrErrorLevel::L},
                                                       {"M", QrErrorLevel::M},
                                                       {"Q", QrErrorLevel::Q},
                                                       {"H", QrErrorLevel::H}},
                                                      barcode.error_level);
    const double quiet_zone = reader.not_negative("quiet_zone", barcode.quiet_zone);
    barcode.quiet_zone = int(quiet_zone);
    return barcode;
}

void read_object(ObjectReader &reader, ReportObject &object, const QString &folder)
{
    reader.require("type");
    const ObjectKind kind = reader.choice<ObjectKind>("type",
                                                      {{"text", ObjectKind::Text},
                                                       {"picture", ObjectKind::Picture},
                                                       {"rich_text", ObjectKind::RichText},
                                                       {"line", ObjectKind::Line},
                                                       {"barcode", ObjectKind::Barcode}},
                                                      ObjectKind::Text);
    object.name = reader.string("name");
    object.rect = QRectF(reader.number("x", 0), reader.number("y", 0),
                         reader.not_negative("width", 0), reader.not_negative("height", 0));
    if (reader.has("frame")) {
        ObjectReader frame = reader.object("frame");
        object.frame = read_frame(frame);
        frame.finish();
    }
    object.fill = reader.color("fill", object.fill);
    object.stretch = reader.boolean("stretch", false);
    switch (kind) {
    case ObjectKind::Text:
        object.content = read_text(reader);
        break;
    case ObjectKind::Picture:
        object.content = read_picture(reader, folder);
        break;
    case ObjectKind::RichText:
        object.content = RichTextContent{};
        break;
    case ObjectKind::Line: {
        LineContent line;
        line.width = reader.positive("line_width", line.width);
        line.color = reader.color("color", line.color);
        if (object.rect.width() > 0 && object.rect.height() > 0)
            fail(reader.path(), QStringLiteral("čára je vodorovná (height 0) nebo svislá "
                                               "(width 0)"));
        object.content = line;
        break;
    }
    case ObjectKind::Barcode:
        object.content = read_barcode(reader);
        break;
    }
}

void read_band(ObjectReader &reader, ReportBand &band, double top, const QString &folder)
{
    reader.require("kind");
    band.kind = reader.choice<BandKind>("kind",
                                        {{"report_title", BandKind::ReportTitle},
                                         {"page_header", BandKind::PageHeader},
                                         {"page_footer", BandKind::PageFooter},
                                         {"column_header", BandKind::ColumnHeader},
                                         {"master_data", BandKind::MasterData},
                                         {"detail_data", BandKind::DetailData},
                                         {"group_header", BandKind::GroupHeader},
                                         {"group_footer", BandKind::GroupFooter},
                                         {"report_summary", BandKind::ReportSummary}},
                                        band.kind);
    band.name = reader.string("name");
    band.top = reader.not_negative("top", top);
    reader.require("height");
    band.height = reader.not_negative("height", 0);
    band.source = reader.string("source");
    band.group = reader.string("group");
    if (band.kind == BandKind::GroupHeader && band.group.isEmpty())
        fail(reader.path() + QStringLiteral(".group"),
             QStringLiteral("záhlaví skupiny potřebuje výraz skupiny"));
    band.stretch = reader.boolean("stretch", false);
    band.keep_together = reader.boolean("keep_together", false);
    band.split = reader.boolean("split", false);
    band.on_first_page = reader.boolean("on_first_page", true);
    reader.each("objects", [&](ObjectReader &object_reader) {
        ReportObject object;
        read_object(object_reader, object, folder);
        band.objects.push_back(std::move(object));
    });
}

void read_page(ObjectReader &reader, TemplatePage &page, const QString &folder)
{
    page.width = reader.positive("width", page.width);
    page.height = reader.positive("height", page.height);
    if (reader.has("margins")) {
        ObjectReader margins = reader.object("margins");
        page.margins =
            QMarginsF(margins.not_negative("left", 0), margins.not_negative("top", 0),
                      margins.not_negative("right", 0), margins.not_negative("bottom", 0));
        margins.finish();
    }
    double next_top = page.margins.top();
    reader.each("bands", [&](ObjectReader &band_reader) {
        ReportBand band;
        read_band(band_reader, band, next_top, folder);
        next_top = band.top + band.height;
        page.bands.push_back(std::move(band));
    });
}

} // namespace

ReportTemplate parse_template(const QByteArray &json, const QString &folder)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        fail({}, QStringLiteral("chyba JSON na pozici %1: %2")
                     .arg(error.offset)
                     .arg(error.errorString()));
    if (!document.isObject())
        fail({}, QStringLiteral("očekáván objekt"));
    ObjectReader root(document.object(), {});
    ReportTemplate report;
    root.require("version");
    const double version = root.number("version");
    if (version != int(version) || version < 1 || version > ReportTemplate::current_version)
        fail(QStringLiteral("version"), QStringLiteral("verze %1 není podporována (nejvýše %2)")
                                            .arg(version)
                                            .arg(ReportTemplate::current_version));
    report.version = int(version);
    root.require("pages");
    root.each("pages", [&](ObjectReader &page_reader) {
        TemplatePage page;
        read_page(page_reader, page, folder);
        report.pages.push_back(std::move(page));
    });
    root.finish();
    return report;
}

ReportTemplate load_template(const QString &file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Šablonu sestavy „%1“ nelze otevřít: %2")
                              .arg(file, input.errorString()));
    try {
        return parse_template(input.readAll(), QFileInfo(file).absolutePath());
    } catch (const ReportError &error) {
        throw ReportError(QStringLiteral("Šablona sestavy „%1“: %2")
                              .arg(QFileInfo(file).fileName(), error.message()));
    }
}
