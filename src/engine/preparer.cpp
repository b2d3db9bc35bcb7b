#include "engine/preparer.h"

#include "engine/code128.h"
#include "engine/expression.h"
#include "engine/font_book.h"
#include "engine/qr_code.h"
#include "engine/report_error.h"
#include "engine/rich_text_layout.h"
#include "engine/text_layout.h"
#include "text/format_settings.h"
#include "text/number_format.h"

#include <QDateTime>
#include <QSet>
#include <algorithm>
#include <optional>

namespace {

// Page numbers are known only when the last page is done: texts hold these marks until then.
constexpr QChar page_number_mark(0xE000);
constexpr QChar total_pages_mark(0xE001);
constexpr double epsilon = 0.01;

struct Accumulator {
    AggregateFunction function = AggregateFunction::Sum;
    int column = -1;
    double sum = 0.0;
    double min = 0.0;
    double max = 0.0;
    int count = 0;

    void add(const QVariant &value)
    {
        if (!value.isValid())
            return;
        const double number = value.toDouble();
        min = count == 0 ? number : std::min(min, number);
        max = count == 0 ? number : std::max(max, number);
        sum += number;
        ++count;
    }

    void reset()
    {
        sum = min = max = 0.0;
        count = 0;
    }

    double result() const
    {
        switch (function) {
        case AggregateFunction::Sum:
            return sum;
        case AggregateFunction::Count:
            return count;
        case AggregateFunction::Min:
            return min;
        case AggregateFunction::Max:
            return max;
        case AggregateFunction::Avg:
            return count > 0 ? sum / count : 0.0;
        }
        return 0.0;
    }
};

struct BoundSegment {
    SegmentKind kind = SegmentKind::Literal;
    QString literal;
    AggregateFunction function = AggregateFunction::Sum;
    ReportDataSource *source = nullptr;
    int column = -1;
    int snapshot = -1;
    int accumulator = -1;
};

struct CompiledText {
    std::vector<BoundSegment> segments;

    bool constant() const
    {
        return std::all_of(segments.begin(), segments.end(), [](const BoundSegment &segment) {
            return segment.kind == SegmentKind::Literal;
        });
    }

    bool numbers_pages() const
    {
        return std::any_of(segments.begin(), segments.end(), [](const BoundSegment &segment) {
            return segment.kind == SegmentKind::PageNumber ||
                   segment.kind == SegmentKind::TotalPages;
        });
    }
};

struct CompiledObject {
    const ReportObject *object = nullptr;
    CompiledText text;
    NumberFormat number_format;
    int font = -1;
    std::optional<std::vector<BrokenLine>> constant_lines;
    std::shared_ptr<const RichTextLayout> rich;
    std::shared_ptr<const std::vector<QRectF>> constant_modules;
};

struct CompiledBand {
    const ReportBand *band = nullptr;
    std::vector<CompiledObject> objects;
    ReportDataSource *source = nullptr;
    bool prints_rows = true;
    // Some text of the band shows the page number or the page count.
    bool numbers_pages = false;
    CompiledText group;
    // Aggregates that start anew with the band's scope: its group, or the page.
    std::vector<int> scoped_accumulators;
};

// The values a printed data row gives to the aggregates and to the footers that show the
// last row, taken when the row is laid out and handed over once it is on a page.
struct RowFeed {
    ReportDataSource *source = nullptr;
    std::vector<QVariant> accumulator_values;
    std::vector<QVariant> snapshot_values;
};

struct Block {
    const CompiledBand *band = nullptr;
    std::vector<DisplayItem> items;
    double height = 0.0;
    RowFeed feed;
};

struct Section {
    CompiledBand *column_header = nullptr;
    std::vector<CompiledBand *> group_headers; // outermost first
    std::vector<CompiledBand *> group_footers; // one per header, nullptr when it has none
    CompiledBand *master = nullptr;
    std::vector<CompiledBand *> details;
};

QString band_label(const ReportBand &band)
{
    return band.name.isEmpty() ? QStringLiteral("bez jména") : band.name;
}

void shift(DisplayItem &item, double dy)
{
    item.rect.translate(0, dy);
    if (auto *text = std::get_if<DisplayText>(&item.content))
        for (TextLine &line : text->lines)
            line.position.ry() += dy;
    else if (auto *picture = std::get_if<DisplayPicture>(&item.content))
        picture->target.translate(0, dy);
    else if (auto *line = std::get_if<DisplayLine>(&item.content))
        line->line.translate(0, dy);
}

QRectF picture_target(const QImage &image, PictureMode mode, const QRectF &rect)
{
    if (mode == PictureMode::Stretch || image.isNull())
        return rect;
    QSizeF size;
    if (mode == PictureMode::KeepAspect) {
        size = QSizeF(image.size()).scaled(rect.size(), Qt::KeepAspectRatio);
    } else {
        const double dpm_x = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() : 96 / 0.0254;
        const double dpm_y = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : 96 / 0.0254;
        size = QSizeF(image.width() / dpm_x / 0.0254 * report_units::per_inch,
                      image.height() / dpm_y / 0.0254 * report_units::per_inch);
    }
    return QRectF(rect.center().x() - size.width() / 2, rect.center().y() - size.height() / 2,
                  size.width(), size.height());
}

class Preparer {
public:
    Preparer(const SourceMap &sources, const PrepareOptions &options)
        : m_sources(sources), m_options(options)
    {
    }

    PreparedReport run(const ReportTemplate &report)
    {
        for (const TemplatePage &page : report.pages)
            prepare_page(page);
        fill_page_numbers();
        m_result.fonts = m_fonts.take_fonts();
        return std::move(m_result);
    }

private:
    void prepare_page(const TemplatePage &page)
    {
        std::vector<const ReportBand *> ordered;
        for (const ReportBand &band : page.bands)
            ordered.push_back(&band);
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const ReportBand *a, const ReportBand *b) { return a->top < b->top; });
        m_row_sources.clear();
        for (const ReportBand *band : ordered)
            if (band->is_data() && m_sources.contains(band->source))
                m_row_sources.insert(m_sources.value(band->source));
        std::vector<CompiledBand> bands;
        bands.reserve(ordered.size());
        for (const ReportBand *band : ordered)
            bands.push_back(compile_band(*band));

        m_page = &page;
        m_titles.clear();
        m_page_headers.clear();
        m_page_footers.clear();
        std::vector<CompiledBand *> summaries;
        double footer_height = 0.0;
        for (CompiledBand &band : bands) {
            switch (band.band->kind) {
            case BandKind::ReportTitle:
                m_titles.push_back(&band);
                break;
            case BandKind::PageHeader:
                m_page_headers.push_back(&band);
                break;
            case BandKind::PageFooter:
                m_page_footers.push_back(&band);
                footer_height += band.band->height;
                break;
            case BandKind::ReportSummary:
                summaries.push_back(&band);
                break;
            default:
                break;
            }
        }
        m_limit = page.height - page.margins.bottom() - footer_height;
        const std::vector<Section> data = sections(bands);

        m_column_header = nullptr;
        start_page(true);
        for (const Section &section : data)
            run_section(section);
        for (CompiledBand *summary : summaries)
            place(render(*summary));
        finish_page();
    }

    CompiledBand compile_band(const ReportBand &band)
    {
        CompiledBand compiled;
        compiled.band = &band;
        if (!band.source.isEmpty()) {
            compiled.source = m_sources.value(band.source);
            compiled.prints_rows = compiled.source != nullptr;
        }
        const bool scoped = band.kind == BandKind::GroupFooter || band.kind == BandKind::PageFooter;
        std::vector<int> *accumulators = scoped ? &compiled.scoped_accumulators : nullptr;
        if (band.kind == BandKind::GroupHeader)
            compiled.group = compile_text(band.group, band, nullptr, nullptr);
        for (const ReportObject &object : band.objects) {
            CompiledObject item;
            item.object = &object;
            if (const auto *text = std::get_if<TextContent>(&object.content)) {
                item.text = compile_text(text->text.join(u'\n'), band, &object, accumulators);
                item.number_format = NumberFormat(text->format);
                item.font = m_fonts.font(text->font);
                compiled.numbers_pages = compiled.numbers_pages || item.text.numbers_pages();
                if (item.text.constant())
                    item.constant_lines =
                        break_text(m_fonts, item.font, evaluate(item.text, {}, true),
                                   object.rect.width() - 2 * text->padding, text->word_wrap);
            } else if (const auto *barcode = std::get_if<BarcodeContent>(&object.content)) {
                item.text = compile_text(barcode->text.join(u'\n'), band, &object, accumulators);
                if (item.text.constant())
                    item.constant_modules = std::make_shared<const std::vector<QRectF>>(
                        barcode_modules(*barcode, evaluate(item.text, {}, false), object));
            } else if (const auto *rich = std::get_if<RichTextContent>(&object.content)) {
                if (rich->document)
                    item.rich = layout_rich_text(*rich->document, object.rect.width(), m_fonts);
            }
            compiled.objects.push_back(std::move(item));
        }
        return compiled;
    }

    CompiledText compile_text(const QString &text, const ReportBand &band,
                              const ReportObject *object, std::vector<int> *scoped)
    {
        const bool from_last_row =
            band.kind == BandKind::GroupFooter || band.kind == BandKind::ReportSummary;
        CompiledText compiled;
        for (const TextSegment &segment : parse_expression_text(text)) {
            BoundSegment bound;
            bound.kind = segment.kind;
            bound.literal = segment.literal;
            bound.function = segment.function;
            if (segment.kind == SegmentKind::Field || segment.kind == SegmentKind::Aggregate) {
                bound.source = m_sources.value(segment.source);
                if (bound.source) {
                    bound.column = bound.source->column_index(segment.column);
                    if (bound.column < 0)
                        throw ReportError(
                            QStringLiteral("Datový zdroj „%1“ nemá sloupec „%2“ (objekt „%3“, "
                                           "pás „%4“).")
                                .arg(segment.source, segment.column,
                                     object ? object->name : QString(), band_label(band)));
                }
            }
            // A source that prints no rows stays on its current row, which footers show too.
            if (segment.kind == SegmentKind::Field && from_last_row &&
                m_row_sources.contains(bound.source)) {
                bound.snapshot = int(m_snapshot.size());
                m_snapshot.emplace_back();
                m_snapshot_feeds[bound.source].push_back({bound.snapshot, bound.column});
            }
            if (segment.kind == SegmentKind::Aggregate) {
                bound.accumulator = int(m_accumulators.size());
                Accumulator accumulator;
                accumulator.function = segment.function;
                accumulator.column = bound.column;
                m_accumulators.push_back(accumulator);
                if (bound.source)
                    m_accumulator_feeds[bound.source].push_back(bound.accumulator);
                if (scoped)
                    scoped->push_back(bound.accumulator);
            }
            compiled.segments.push_back(std::move(bound));
        }
        return compiled;
    }

    std::vector<Section> sections(std::vector<CompiledBand> &bands)
    {
        std::vector<Section> result;
        Section pending;
        size_t footers_paired = 0;
        bool after_master = false;
        for (CompiledBand &band : bands) {
            const ReportBand &design = *band.band;
            switch (design.kind) {
            case BandKind::ColumnHeader:
            case BandKind::GroupHeader:
                if (after_master) {
                    result.push_back(std::move(pending));
                    pending = Section{};
                    after_master = false;
                }
                if (design.kind == BandKind::ColumnHeader)
                    pending.column_header = &band;
                else
                    pending.group_headers.push_back(&band);
                break;
            case BandKind::MasterData:
                if (after_master) {
                    result.push_back(std::move(pending));
                    pending = Section{};
                }
                pending.master = &band;
                pending.group_footers.assign(pending.group_headers.size(), nullptr);
                footers_paired = 0;
                after_master = true;
                break;
            case BandKind::DetailData:
                if (!after_master)
                    throw ReportError(QStringLiteral("Pás detailu „%1“ nenásleduje za pásem dat.")
                                          .arg(band_label(design)));
                pending.details.push_back(&band);
                break;
            case BandKind::GroupFooter: {
                if (!after_master || footers_paired >= pending.group_headers.size())
                    throw ReportError(
                        QStringLiteral("Patička skupiny „%1“ nemá své záhlaví skupiny.")
                            .arg(band_label(design)));
                // Footers close their groups from the innermost outwards.
                const size_t header = pending.group_headers.size() - 1 - footers_paired++;
                pending.group_footers[header] = &band;
                break;
            }
            default:
                break;
            }
        }
        if (after_master)
            result.push_back(std::move(pending));
        else if (!pending.group_headers.empty())
            throw ReportError(QStringLiteral("Záhlaví skupiny „%1“ nemá pás dat.")
                                  .arg(band_label(*pending.group_headers.front()->band)));
        return result;
    }

    void run_section(const Section &section)
    {
        CompiledBand &master = *section.master;
        if (!master.prints_rows)
            return;
        if (section.column_header)
            place(render(*section.column_header));
        m_column_header = section.column_header;
        ReportDataSource *source = master.source;
        if (source)
            source->first();
        const size_t levels = section.group_headers.size();
        std::vector<QString> previous;
        bool first_row = true;
        int line = 0;
        while (source ? !source->eof() : first_row) {
            std::vector<QString> keys;
            for (const CompiledBand *header : section.group_headers)
                keys.push_back(evaluate(header->group, {}, false));
            size_t changed = 0;
            if (!first_row)
                while (changed < levels && keys[changed] == previous[changed])
                    ++changed;
            if (!first_row)
                close_groups(section, changed);
            std::vector<Block> held;
            for (size_t level = changed; level < levels; ++level) {
                if (const CompiledBand *footer = section.group_footers[level])
                    for (const int accumulator : footer->scoped_accumulators)
                        m_accumulators[accumulator].reset();
                Block header = render(*section.group_headers[level]);
                if (section.group_headers[level]->band->keep_together) {
                    held.push_back(std::move(header));
                } else {
                    place_together(std::move(held));
                    held.clear();
                    place(std::move(header));
                }
            }
            m_line = ++line;
            print_master_row(section, std::move(held));
            previous = std::move(keys);
            first_row = false;
            if (source)
                source->next();
        }
        if (!first_row)
            close_groups(section, 0);
        m_column_header = nullptr;
    }

    // Prints the footers of the groups from the innermost down to `level`.
    void close_groups(const Section &section, size_t level)
    {
        for (size_t i = section.group_headers.size(); i-- > level;)
            if (CompiledBand *footer = section.group_footers[i])
                place(render(*footer));
    }

    // The master row with its detail rows; a master band kept together goes to a new page
    // whole when it does not fit the rest of this one.  `held` are group headers that go
    // with it.
    void print_master_row(const Section &section, std::vector<Block> held)
    {
        CompiledBand &master = *section.master;
        const bool together = master.band->keep_together;
        std::vector<Block> blocks = std::move(held);
        size_t kept = blocks.size() + 1;
        blocks.push_back(render_row(master));
        const int master_line = m_line;
        for (CompiledBand *detail : section.details) {
            if (!detail->prints_rows)
                continue;
            int line = 0;
            ReportDataSource *source = detail->source;
            if (source)
                source->first();
            for (bool once = true; source ? !source->eof() : once; once = false) {
                m_line = ++line;
                blocks.push_back(render_row(*detail));
                if (!together) {
                    place_blocks(blocks, kept);
                    blocks.clear();
                    kept = 0;
                }
                if (source)
                    source->next();
            }
        }
        m_line = master_line;
        place_blocks(blocks, together ? blocks.size() : kept);
    }

    Block render_row(const CompiledBand &band)
    {
        Block block = render(band);
        ReportDataSource *source = band.source;
        if (!source)
            return block;
        block.feed.source = source;
        if (const auto feeds = m_accumulator_feeds.constFind(source);
            feeds != m_accumulator_feeds.cend()) {
            block.feed.accumulator_values.reserve(feeds->size());
            for (const int accumulator : *feeds)
                block.feed.accumulator_values.push_back(
                    source->value(m_accumulators[accumulator].column));
        }
        if (const auto feeds = m_snapshot_feeds.constFind(source);
            feeds != m_snapshot_feeds.cend()) {
            block.feed.snapshot_values.reserve(feeds->size());
            for (const auto &slot : *feeds)
                block.feed.snapshot_values.push_back(source->value(slot.second));
        }
        return block;
    }

    // Places the blocks, the first `together` of them on one page when they fit one, and
    // hands each data row to the aggregates once it is on a page.
    void place_blocks(std::vector<Block> &blocks, size_t together)
    {
        keep_on_one_page(blocks, together);
        for (Block &block : blocks) {
            RowFeed feed = std::move(block.feed);
            place(std::move(block));
            take_row(feed);
        }
    }

    void place_together(std::vector<Block> blocks)
    {
        keep_on_one_page(blocks, blocks.size());
        for (Block &block : blocks)
            place(std::move(block));
    }

    // Starts a new page when the first `count` blocks do not fit the rest of this one but
    // would fit a fresh page.
    void keep_on_one_page(const std::vector<Block> &blocks, size_t count)
    {
        count = std::min(count, blocks.size());
        if (count < 2)
            return;
        double height = 0.0;
        for (size_t i = 0; i < count; ++i)
            height += blocks[i].height;
        if (height > m_limit - m_y + epsilon && !page_is_fresh() &&
            height <= m_limit - m_content_top + epsilon)
            new_page();
    }

    void take_row(const RowFeed &feed)
    {
        if (!feed.source)
            return;
        if (const auto feeds = m_accumulator_feeds.constFind(feed.source);
            feeds != m_accumulator_feeds.cend())
            for (size_t i = 0; i < feeds->size(); ++i)
                m_accumulators[(*feeds)[i]].add(feed.accumulator_values[i]);
        if (const auto feeds = m_snapshot_feeds.constFind(feed.source);
            feeds != m_snapshot_feeds.cend())
            for (size_t i = 0; i < feeds->size(); ++i)
                m_snapshot[(*feeds)[i].first] = feed.snapshot_values[i];
    }

    Block render(const CompiledBand &band)
    {
        const ReportBand &design = *band.band;
        Block block;
        block.band = &band;
        block.height = design.height;
        block.items.reserve(band.objects.size());
        // Broken lines of every object, kept in the preparer so that their room serves
        // every row.
        std::vector<std::vector<BrokenLine>> &broken = m_broken;
        if (broken.size() < band.objects.size())
            broken.resize(band.objects.size());
        for (size_t i = 0; i < band.objects.size(); ++i) {
            const CompiledObject &compiled = band.objects[i];
            const ReportObject &object = *compiled.object;
            DisplayItem &item = block.items.emplace_back();
            item.rect = object.rect.translated(m_page->margins.left(), 0);
            item.frame = object.frame;
            item.fill = object.fill;
            item.band = design.kind;
            double needed = 0.0;
            switch (object.kind()) {
            case ObjectKind::Text: {
                const auto &text = std::get<TextContent>(object.content);
                if (compiled.constant_lines)
                    broken[i] = *compiled.constant_lines;
                else
                    break_text_into(broken[i], m_fonts, compiled.font,
                                    evaluate(compiled.text, compiled.number_format, true),
                                    object.rect.width() - 2 * text.padding, text.word_wrap);
                needed = m_fonts.prepared(compiled.font).height * double(broken[i].size()) +
                         2 * text.padding;
                item.content = DisplayText{compiled.font, text.color, text.align, {}};
                break;
            }
            case ObjectKind::Picture: {
                const auto &picture = std::get<PictureContent>(object.content);
                item.content = DisplayPicture{picture.image, {}};
                break;
            }
            case ObjectKind::RichText:
                needed = compiled.rich ? compiled.rich->height : 0.0;
                item.content = DisplayRichText{compiled.rich};
                break;
            case ObjectKind::Line: {
                const auto &line = std::get<LineContent>(object.content);
                item.content = DisplayLine{{}, line.width, line.color};
                break;
            }
            case ObjectKind::Barcode: {
                const auto &barcode = std::get<BarcodeContent>(object.content);
                auto modules = compiled.constant_modules;
                if (!modules)
                    modules = std::make_shared<const std::vector<QRectF>>(
                        barcode_modules(barcode, evaluate(compiled.text, {}, false), object));
                item.content = DisplayBarcode{modules};
                break;
            }
            }
            if (design.stretch && object.stretch && needed > item.rect.height())
                item.rect.setHeight(needed);
        }
        if (design.stretch) {
            for (const DisplayItem &item : block.items)
                block.height = std::max(block.height, item.rect.bottom());
            for (size_t i = 0; i < band.objects.size(); ++i) {
                const ReportObject &object = *band.objects[i].object;
                if (object.stretch)
                    block.items[i].rect.setBottom(
                        std::max(block.items[i].rect.bottom(),
                                 block.height - (design.height - object.rect.bottom())));
            }
        }
        for (size_t i = 0; i < band.objects.size(); ++i)
            finish_item(block.items[i], *band.objects[i].object, broken[i]);
        return block;
    }

    // Places what depends on the item's final rectangle.
    void finish_item(DisplayItem &item, const ReportObject &object,
                     const std::vector<BrokenLine> &broken)
    {
        if (auto *text = std::get_if<DisplayText>(&item.content)) {
            const auto &content = std::get<TextContent>(object.content);
            const double padding = content.padding;
            text->lines = place_lines(broken, m_fonts.prepared(text->font).height,
                                      item.rect.adjusted(padding, padding, -padding, -padding),
                                      content.align, content.valign);
        } else if (auto *picture = std::get_if<DisplayPicture>(&item.content)) {
            if (picture->image)
                picture->target = picture_target(
                    *picture->image, std::get<PictureContent>(object.content).mode, item.rect);
        } else if (auto *line = std::get_if<DisplayLine>(&item.content)) {
            const QRectF &r = item.rect;
            line->line = r.height() > 0 ? QLineF(r.topLeft(), r.bottomLeft())
                                        : QLineF(r.topLeft(), r.topRight());
        }
    }

    std::vector<QRectF> barcode_modules(const BarcodeContent &barcode, const QString &text,
                                        const ReportObject &object)
    {
        try {
            if (barcode.symbology == BarcodeSymbology::Code128)
                return code128_bars(text, barcode.quiet_zone, object.rect.size());
            return qr_modules(text, barcode.error_level, barcode.quiet_zone, object.rect.size());
        } catch (const ReportError &error) {
            throw ReportError(QStringLiteral("%1 (objekt „%2“)").arg(error.message(), object.name));
        }
    }

    // `marks`: page numbers as marks that fill_page_numbers() replaces once all pages exist;
    // otherwise as far as known now.
    QString evaluate(const CompiledText &text, const NumberFormat &format, bool marks) const
    {
        // Most cells are one field: its text as it comes, without a copy.
        if (text.segments.size() == 1)
            return evaluate(text.segments.front(), format, marks);
        QString result;
        for (const BoundSegment &segment : text.segments)
            result += evaluate(segment, format, marks);
        return result;
    }

    QString evaluate(const BoundSegment &segment, const NumberFormat &format, bool marks) const
    {
        switch (segment.kind) {
        case SegmentKind::Literal:
            return segment.literal;
        case SegmentKind::Field:
            if (segment.snapshot >= 0)
                return display(m_snapshot[segment.snapshot], format);
            if (segment.source)
                return display(segment.source->value(segment.column), format);
            return {};
        case SegmentKind::Aggregate: {
            const double value = m_accumulators[segment.accumulator].result();
            return segment.function == AggregateFunction::Count ? QString::number(qint64(value))
                                                                : format.format(value);
        }
        case SegmentKind::PageNumber:
            return marks ? QString(page_number_mark) : QString::number(m_result.pages.size());
        case SegmentKind::TotalPages:
            return marks ? QString(total_pages_mark) : QString::number(m_result.pages.size());
        case SegmentKind::Date:
            return format_short_date(m_options.today);
        case SegmentKind::LineNumber:
            return QString::number(m_line);
        }
        return {};
    }

    static QString display(const QVariant &value, const NumberFormat &format)
    {
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            return {};
        case QMetaType::Double:
        case QMetaType::Float:
            return format.format(value.toDouble());
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            return format.is_empty() ? value.toString() : format.format(value.toDouble());
        case QMetaType::QDate:
            return format_short_date(value.toDate());
        case QMetaType::QDateTime:
            return format_short_date(value.toDateTime().date());
        default:
            return value.toString();
        }
    }

    bool page_is_fresh() const { return m_y <= m_content_top + epsilon; }

    void start_page(bool first)
    {
        // Pages of a list hold about as many items as the one before.
        const size_t expected = m_result.pages.empty() ? 0 : m_result.pages.back().items.size();
        m_result.pages.push_back(PreparedPage{QSizeF(m_page->width, m_page->height), {}});
        m_result.pages.back().items.reserve(expected);
        m_y = m_page->margins.top();
        for (CompiledBand *footer : m_page_footers)
            for (const int accumulator : footer->scoped_accumulators)
                m_accumulators[accumulator].reset();
        if (first)
            for (CompiledBand *title : m_titles)
                place_on_this_page(render(*title));
        for (CompiledBand *header : m_page_headers)
            if (!first || header->band->on_first_page)
                place_on_this_page(render(*header));
        if (m_column_header)
            place_on_this_page(render(*m_column_header));
        m_content_top = m_y;
    }

    void finish_page()
    {
        double y = m_page->height - m_page->margins.bottom();
        for (auto it = m_page_footers.rbegin(); it != m_page_footers.rend(); ++it) {
            Block footer = render(**it);
            y -= footer.height;
            m_y = y;
            append(footer);
        }
    }

    void new_page()
    {
        finish_page();
        start_page(false);
    }

    // A band that does not fit goes to the next page; one taller than a whole page is split
    // between its text lines when it may be, otherwise clipped.  Each turn either places the
    // band or starts a page with less of it left, so this always ends.
    void place(Block block)
    {
        for (;;) {
            const double available = m_limit - m_y;
            if (block.height <= available + epsilon) {
                append(block);
                return;
            }
            if (!page_is_fresh()) {
                new_page();
                continue;
            }
            if (available <= epsilon)
                return;
            if (!block.band->band->split) {
                clip(block, available);
                append(block);
                return;
            }
            Block rest = split(block, available);
            append(block);
            new_page();
            block = std::move(rest);
        }
    }

    // Title, page header and column header: never the cause of another page.
    void place_on_this_page(Block block)
    {
        const double available = std::max(0.0, m_limit - m_y);
        if (block.height > available)
            clip(block, available);
        append(block);
    }

    void append(Block &block)
    {
        ++m_row;
        PreparedPage &page = m_result.pages.back();
        const size_t first = page.items.size();
        for (DisplayItem &item : block.items) {
            shift(item, m_y);
            item.row = m_row;
            page.items.push_back(std::move(item));
        }
        if (block.band->numbers_pages)
            m_numbered.push_back({m_result.pages.size() - 1, first, page.items.size()});
        m_y += block.height;
    }

    static void clip(Block &block, double height)
    {
        std::vector<DisplayItem> kept;
        for (DisplayItem &item : block.items) {
            if (item.rect.top() >= height - epsilon)
                continue;
            if (item.rect.bottom() > height) {
                item.rect.setBottom(height);
                if (auto *text = std::get_if<DisplayText>(&item.content))
                    std::erase_if(text->lines, [&](const TextLine &line) {
                        return line.position.y() >= height - epsilon;
                    });
            }
            kept.push_back(std::move(item));
        }
        block.items = std::move(kept);
        block.height = height;
    }

    // Cuts the block at the last text line boundary above `available`, keeps the upper part
    // in `block` and returns the rest, moved up to start at 0.
    Block split(Block &block, double available) const
    {
        double cut = available;
        for (const DisplayItem &item : block.items)
            if (const auto *text = std::get_if<DisplayText>(&item.content)) {
                const double line_height = m_fonts.prepared(text->font).height;
                for (const TextLine &line : text->lines)
                    if (line.position.y() < cut && line.position.y() + line_height > cut)
                        cut = line.position.y();
            }
        if (cut <= epsilon)
            cut = available;
        Block rest;
        rest.band = block.band;
        rest.height = block.height - cut;
        std::vector<DisplayItem> upper;
        for (DisplayItem &item : block.items) {
            if (item.rect.bottom() <= cut + epsilon) {
                upper.push_back(std::move(item));
                continue;
            }
            if (item.rect.top() >= cut - epsilon) {
                shift(item, -cut);
                rest.items.push_back(std::move(item));
                continue;
            }
            DisplayItem lower = item;
            item.rect.setBottom(cut);
            if (auto *text = std::get_if<DisplayText>(&item.content)) {
                auto &lower_lines = std::get<DisplayText>(lower.content).lines;
                std::erase_if(text->lines,
                              [&](const TextLine &line) { return line.position.y() >= cut; });
                std::erase_if(lower_lines,
                              [&](const TextLine &line) { return line.position.y() < cut; });
                shift(lower, -cut);
                lower.rect.setTop(0);
                rest.items.push_back(std::move(lower));
            } else if (item.kind() == ObjectKind::Line) {
                shift(lower, -cut);
                lower.rect.setTop(0);
                rest.items.push_back(std::move(lower));
            }
            upper.push_back(std::move(item));
        }
        block.items = std::move(upper);
        block.height = cut;
        return rest;
    }

    static bool has_page_mark(const QString &text)
    {
        return std::any_of(text.cbegin(), text.cend(),
                           [](QChar c) { return c == page_number_mark || c == total_pages_mark; });
    }

    // Only the items of the bands that number pages can hold the marks.
    void fill_page_numbers()
    {
        const QString total = QString::number(m_result.pages.size());
        for (const NumberedItems &numbered : m_numbered) {
            const QString number = QString::number(numbered.page + 1);
            std::vector<DisplayItem> &items = m_result.pages[numbered.page].items;
            for (size_t at = numbered.first; at < numbered.end; ++at) {
                DisplayItem &item = items[at];
                auto *text = std::get_if<DisplayText>(&item.content);
                if (!text)
                    continue;
                for (TextLine &line : text->lines) {
                    if (!has_page_mark(line.text))
                        continue;
                    const double before = m_fonts.width(text->font, line.text);
                    line.text.replace(page_number_mark, number).replace(total_pages_mark, total);
                    const double growth = m_fonts.width(text->font, line.text) - before;
                    if (text->align == HAlign::Center)
                        line.position.rx() -= growth / 2;
                    else if (text->align == HAlign::Right)
                        line.position.rx() -= growth;
                }
            }
        }
    }

    const SourceMap &m_sources;
    const PrepareOptions &m_options;
    FontBook m_fonts;
    PreparedReport m_result;

    std::vector<Accumulator> m_accumulators;
    QHash<ReportDataSource *, std::vector<int>> m_accumulator_feeds;
    std::vector<QVariant> m_snapshot;
    QHash<ReportDataSource *, std::vector<std::pair<int, int>>> m_snapshot_feeds;

    // Where the items of the bands that number pages went: [first, end) of a page's items.
    struct NumberedItems {
        size_t page;
        size_t first;
        size_t end;
    };
    std::vector<NumberedItems> m_numbered;
    std::vector<std::vector<BrokenLine>> m_broken;
    QSet<ReportDataSource *> m_row_sources; // those that data bands of the page print
    const TemplatePage *m_page = nullptr;
    std::vector<CompiledBand *> m_titles;
    std::vector<CompiledBand *> m_page_headers;
    std::vector<CompiledBand *> m_page_footers;
    CompiledBand *m_column_header = nullptr;
    double m_y = 0.0;
    double m_content_top = 0.0;
    double m_limit = 0.0;
    int m_row = 0;
    int m_line = 0;
};

} // namespace

PreparedReport prepare_report(const ReportTemplate &report, const SourceMap &sources,
                              const PrepareOptions &options)
{
    return Preparer(sources, options).run(report);
}
