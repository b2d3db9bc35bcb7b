#include "engine/haru_pdf.h"

#include "engine/report_error.h"
#include "text/cp1250.h"

#include <QFile>
#include <QFileInfo>

THaruPdf::THaruPdf(const char *encoding) : m_encoding(encoding)
{
    m_pdf = HPDF_New(&THaruPdf::record_error, this);
    if (!m_pdf)
        throw ReportError(QStringLiteral("Během vytváření PDF dokumentu došlo k chybě: "
                                         "nedostatek paměti"));
    HPDF_SetCompressionMode(m_pdf, HPDF_COMP_ALL);
    check();
    add_page();
}

THaruPdf::~THaruPdf()
{
    if (m_pdf)
        HPDF_Free(m_pdf);
}

void HPDF_STDCALL THaruPdf::record_error(HPDF_STATUS error, HPDF_STATUS detail, void *data)
{
    auto *pdf = static_cast<THaruPdf *>(data);
    if (pdf->m_error == 0) {
        pdf->m_error = error;
        pdf->m_detail = detail;
    }
}

void THaruPdf::check()
{
    if (m_error == 0)
        return;
    HPDF_Free(m_pdf);
    m_pdf = nullptr;
    m_page = nullptr;
    throw ReportError(QStringLiteral("Během vytváření PDF dokumentu došlo k chybě: %1-%2")
                          .arg(qulonglong(m_error))
                          .arg(qulonglong(m_detail)));
}

void THaruPdf::add_page()
{
    if (m_page)
        flush_strokes();
    m_page = HPDF_AddPage(m_pdf);
    check();
    m_page_font = nullptr;
    m_page_line_width = -1.0;
    HPDF_Page_SetSize(m_page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    check();
}

HPDF_Font THaruPdf::font_handle(const char *name)
{
    const QByteArray key(name);
    if (const auto found = m_fonts.constFind(key); found != m_fonts.cend())
        return *found;
    const HPDF_Font font = HPDF_GetFont(m_pdf, name, m_encoding.constData());
    check();
    m_fonts.insert(key, font);
    return font;
}

void THaruPdf::draw_text(const char *font, const QString &text, double x, double y, double size)
{
    QString printable = text;
    for (QChar &c : printable)
        if (!c.isPrint() && c != u' ')
            c = u'?';
    const QByteArray bytes = to_cp1250(printable);
    set_font(font_handle(font), size);
    if (x <= -1.0) {
        const double width = HPDF_Page_TextWidth(m_page, bytes.constData());
        check();
        x = x == -1.0 ? (page_width() - width) / 2 : page_width() - width - 32;
    }
    const double height = page_height();
    HPDF_Page_BeginText(m_page);
    check();
    HPDF_Page_MoveTextPos(m_page, HPDF_REAL(x), HPDF_REAL(height - y - size));
    check();
    HPDF_Page_ShowText(m_page, bytes.constData());
    check();
    HPDF_Page_EndText(m_page);
    check();
}

void THaruPdf::stroke_rectangle(double x, double y, double width, double height, double line_width)
{
    set_line_width(line_width);
    HPDF_Page_Rectangle(m_page, HPDF_REAL(x), HPDF_REAL(page_height() - y - height),
                        HPDF_REAL(width), HPDF_REAL(height));
    check();
    HPDF_Page_Stroke(m_page);
    check();
}

void THaruPdf::horizontal_line(double x, double y, double length, double line_width)
{
    const double top = page_height() - y;
    add_stroke({QPointF(x, top), QPointF(x + length - line_width, top), line_width});
}

void THaruPdf::vertical_line(double x, double y, double length, double line_width)
{
    const double top = page_height() - y;
    add_stroke({QPointF(x, top), QPointF(x, top - length + line_width), line_width});
}

// A line that continues the one before it on the same axis with the same width becomes part
// of it: the cells of a list row draw their bottom sides one after another, and one stroke
// per row looks the same as five.
void THaruPdf::add_stroke(const Stroke &stroke)
{
    constexpr double slack = 0.001;
    if (!m_strokes.empty()) {
        Stroke &last = m_strokes.back();
        const bool horizontal = stroke.from.y() == stroke.to.y() && last.from.y() == last.to.y();
        const bool vertical = stroke.from.x() == stroke.to.x() && last.from.x() == last.to.x();
        if (stroke.width == last.width && horizontal && stroke.from.y() == last.from.y() &&
            stroke.from.x() >= last.from.x() - slack && stroke.from.x() <= last.to.x() + slack) {
            last.to.rx() = std::max(last.to.x(), stroke.to.x());
            return;
        }
        if (stroke.width == last.width && vertical && stroke.from.x() == last.from.x() &&
            stroke.from.y() <= last.from.y() + slack && stroke.from.y() >= last.to.y() - slack) {
            last.to.ry() = std::min(last.to.y(), stroke.to.y());
            return;
        }
    }
    m_strokes.push_back(stroke);
}

// The page's lines in the order they came, one path for each run of the same width.
void THaruPdf::flush_strokes()
{
    for (size_t i = 0; i < m_strokes.size();) {
        const double width = m_strokes[i].width;
        set_line_width(width);
        for (; i < m_strokes.size() && m_strokes[i].width == width; ++i) {
            HPDF_Page_MoveTo(m_page, HPDF_REAL(m_strokes[i].from.x()),
                             HPDF_REAL(m_strokes[i].from.y()));
            check();
            HPDF_Page_LineTo(m_page, HPDF_REAL(m_strokes[i].to.x()),
                             HPDF_REAL(m_strokes[i].to.y()));
            check();
        }
        HPDF_Page_Stroke(m_page);
        check();
    }
    m_strokes.clear();
}

void THaruPdf::set_font(HPDF_Font font, double size)
{
    if (font == m_page_font && size == m_page_font_size)
        return;
    HPDF_Page_SetFontAndSize(m_page, font, HPDF_REAL(size));
    check();
    m_page_font = font;
    m_page_font_size = size;
}

void THaruPdf::set_line_width(double width)
{
    if (width == m_page_line_width)
        return;
    HPDF_Page_SetLineWidth(m_page, HPDF_REAL(width));
    check();
    m_page_line_width = width;
}

void THaruPdf::fill_rectangles(const std::vector<QRectF> &rectangles)
{
    if (rectangles.empty())
        return;
    const double height = page_height();
    HPDF_Page_SetRGBFill(m_page, 0, 0, 0);
    check();
    for (const QRectF &r : rectangles) {
        HPDF_Page_Rectangle(m_page, HPDF_REAL(r.x()), HPDF_REAL(height - r.y() - r.height()),
                            HPDF_REAL(r.width()), HPDF_REAL(r.height()));
        check();
    }
    HPDF_Page_Fill(m_page);
    check();
}

void THaruPdf::draw_jpeg(const QString &file, double x, double y, double width, double height,
                         double scale)
{
    if (!QFileInfo::exists(file))
        return;
    const HPDF_Image image = HPDF_LoadJpegImageFromFile(m_pdf, QFile::encodeName(file).constData());
    check();
    const double drawn_width = width != 0 ? width : HPDF_Image_GetWidth(image) * scale;
    check();
    const double drawn_height = height != 0 ? height : HPDF_Image_GetHeight(image) * scale;
    check();
    HPDF_Page_DrawImage(m_page, image, HPDF_REAL(x), HPDF_REAL(page_height() - y - drawn_height),
                        HPDF_REAL(drawn_width), HPDF_REAL(drawn_height));
    check();
}

void THaruPdf::set_page_height(double height)
{
    HPDF_Page_SetHeight(m_page, HPDF_REAL(height));
    check();
}

void THaruPdf::set_page_width(double width)
{
    HPDF_Page_SetWidth(m_page, HPDF_REAL(width));
    check();
}

double THaruPdf::page_width()
{
    const double width = HPDF_Page_GetWidth(m_page);
    check();
    return width;
}

double THaruPdf::page_height()
{
    const double height = HPDF_Page_GetHeight(m_page);
    check();
    return height;
}

void THaruPdf::set_password(const QByteArray &owner, const QByteArray &user)
{
    HPDF_SetPassword(m_pdf, owner.constData(), user.constData());
    check();
}

void THaruPdf::set_permission(unsigned permission)
{
    HPDF_SetPermission(m_pdf, permission);
    check();
}

QByteArray THaruPdf::save()
{
    flush_strokes();
    HPDF_SaveToStream(m_pdf);
    check();
    HPDF_ResetStream(m_pdf);
    check();
    HPDF_UINT32 size = HPDF_GetStreamSize(m_pdf);
    check();
    QByteArray bytes;
    if (size == 0)
        return bytes;
    bytes.resize(qsizetype(size));
    HPDF_ReadFromStream(m_pdf, reinterpret_cast<HPDF_BYTE *>(bytes.data()), &size);
    check();
    bytes.resize(qsizetype(size));
    return bytes;
}
