#include "engine/pdf_export_filter.h"

#include "engine/haru_pdf.h"
#include "engine/units.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QPainter>

namespace {

constexpr double scale = report_units::pdf_points_per_unit;

const char *font_name(const FontStyle &font)
{
    if (font.italic)
        return "Helvetica-Oblique";
    return font.bold ? "Helvetica-Bold" : "Helvetica";
}

// A frame of width 1 is drawn half a point wide; narrower frames as thin as PDF allows.
double line_width(double width)
{
    return std::max(0.0, width - 0.5);
}

} // namespace

const QString TfrTNPDFExportFilter::description = QStringLiteral("Adobe Acrobat PDF  (*.pdf)");
const QString TfrTNPDFExportFilter::mask = QStringLiteral("*.pdf");
const QByteArray TfrTNPDFExportFilter::owner_password = QByteArrayLiteral("tlyra");

TfrTNPDFExportFilter::TfrTNPDFExportFilter(PdfExportOptions options) : m_options(std::move(options))
{
}

TfrTNPDFExportFilter::~TfrTNPDFExportFilter() = default;

void TfrTNPDFExportFilter::begin(const PreparedReport &report)
{
    m_report = &report;
    m_pdf = std::make_unique<THaruPdf>("CP1250");
    m_pages = 0;
}

void TfrTNPDFExportFilter::begin_page(const PreparedPage &page)
{
    if (m_pages > 0)
        m_pdf->add_page();
    ++m_pages;
    m_pdf->set_page_height(page.size.height() * scale);
    m_pdf->set_page_width(page.size.width() * scale);
}

void TfrTNPDFExportFilter::object(const DisplayItem &item)
{
    const double x = item.rect.x() * scale;
    const double y = item.rect.y() * scale;
    const double width = item.rect.width() * scale + 1;
    const double height = item.rect.height() * scale + 1;
    if (item.frame.sides != 0 && item.kind() != ObjectKind::Barcode)
        draw_frame(item.frame, x, y, width, height);
    if (const auto *picture = std::get_if<DisplayPicture>(&item.content)) {
        draw_picture(*picture);
    } else if (const auto *rich = std::get_if<DisplayRichText>(&item.content)) {
        if (rich->layout)
            draw_rich_text(item, *rich->layout);
    } else if (const auto *barcode = std::get_if<DisplayBarcode>(&item.content)) {
        // Drawn although the PDF export once left barcodes out: the QR payment code of an
        // invoice is what its customer pays by.
        if (barcode->modules) {
            std::vector<QRectF> modules;
            modules.reserve(barcode->modules->size());
            for (const QRectF &module : *barcode->modules)
                modules.emplace_back((item.rect.x() + module.x()) * scale,
                                     (item.rect.y() + module.y()) * scale, module.width() * scale,
                                     module.height() * scale);
            m_pdf->fill_rectangles(modules);
        }
    } else if (const auto *line = std::get_if<DisplayLine>(&item.content)) {
        const QLineF &l = line->line;
        if (l.dx() == 0)
            m_pdf->vertical_line(l.x1() * scale, l.y1() * scale, l.dy() * scale + 1,
                                 line_width(line->width));
        else
            m_pdf->horizontal_line(l.x1() * scale, l.y1() * scale, l.dx() * scale + 1,
                                   line_width(line->width));
    }
}

void TfrTNPDFExportFilter::text_line(const DisplayItem &item, const TextLine &line)
{
    const auto &text = std::get<DisplayText>(item.content);
    const FontStyle &font = m_report->fonts[size_t(text.font)].style;
    m_pdf->draw_text(font_name(font), line.text, line.position.x() * scale + 1,
                     line.position.y() * scale + 1, font.size);
}

void TfrTNPDFExportFilter::end(QIODevice &output)
{
    const QByteArray user = m_options.password.toUtf8();
    m_pdf->set_password(user.isEmpty() ? owner_password : user + owner_password, user);
    m_pdf->set_permission(m_options.permission);
    const QByteArray document = m_pdf->save();
    m_pdf.reset();
    if (!document.isEmpty())
        output.write(document);
}

void TfrTNPDFExportFilter::draw_frame(const Frame &frame, double x, double y, double width,
                                      double height)
{
    const double lw = line_width(frame.width);
    if (frame.sides == frame_side::all && frame.style == FrameStyle::Solid) {
        m_pdf->stroke_rectangle(x, y, width, height, lw);
        return;
    }
    if (frame.has(frame_side::right))
        m_pdf->vertical_line(x + width - 1, y, height, lw);
    if (frame.has(frame_side::left))
        m_pdf->vertical_line(x, y, height, lw);
    if (frame.has(frame_side::bottom))
        m_pdf->horizontal_line(x, y + height - 1, width, lw);
    if (frame.has(frame_side::top))
        m_pdf->horizontal_line(x, y, width, lw);
}

// The picture goes through the working JPEG file; when that cannot be written the picture
// is left out rather than an older one drawn.
void TfrTNPDFExportFilter::draw_picture(const DisplayPicture &picture)
{
    if (!picture.image)
        return;
    const QString file = picture_file();
    QFile::remove(file);
    QImage opaque(picture.image->size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, *picture.image);
    opaque.save(file, "JPEG", 90);
    const QRectF &target = picture.target;
    m_pdf->draw_jpeg(file, target.x() * scale, target.y() * scale, target.width() * scale + 1,
                     target.height() * scale + 1, 1.0);
}

// Rich text goes line by line in Helvetica: a line takes the font of its first run and its
// paragraph's alignment, centred and right-aligned lines measured on the page.
void TfrTNPDFExportFilter::draw_rich_text(const DisplayItem &item, const RichTextLayout &layout)
{
    const double x = item.rect.x() * scale;
    double top = item.rect.y() * scale;
    for (const RichLine &line : layout.lines) {
        const QString text = line.text();
        if (text.isEmpty()) {
            m_pdf->draw_text("Helvetica", QStringLiteral(" "), x, top, 8);
            top += 8;
            continue;
        }
        const FontStyle &font = m_report->fonts[size_t(line.runs.front().font)].style;
        const double left = line.align == HAlign::Center  ? -1.0
                            : line.align == HAlign::Right ? -2.0
                                                          : x;
        m_pdf->draw_text(font_name(font), text, left, top, font.size);
        top += font.size;
    }
}

QString TfrTNPDFExportFilter::picture_file() const
{
    if (!m_options.picture_file.isEmpty())
        return m_options.picture_file;
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    return executable.dir().filePath(executable.completeBaseName() + QStringLiteral(".jpg"));
}
