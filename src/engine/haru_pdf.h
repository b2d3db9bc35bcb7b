#pragma once
// One libHaru document with its current page and a cache of its fonts.  Coordinates have
// their origin at the top left corner of the page and grow downwards, in points; each
// operation turns them into PDF coordinates by subtracting y from the page height.
//
// libHaru reports errors through a C callback, which only records the error and detail
// numbers: every call is checked afterwards, and a recorded error frees the document and
// raises a ReportError from C++, so no exception ever unwinds through libHaru's frames.

#include <QByteArray>
#include <QHash>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <hpdf.h>
#include <vector>

class THaruPdf {
public:
    // Compression of all streams, one A4 portrait page.  Texts are written in `encoding`.
    explicit THaruPdf(const char *encoding);
    ~THaruPdf();
    THaruPdf(const THaruPdf &) = delete;
    THaruPdf &operator=(const THaruPdf &) = delete;

    void add_page();
    HPDF_Font font_handle(const char *name);

    // `y` is the top of the text; the baseline lies one font size below it.  x = -1 centres
    // the text on the page, x < -1 puts its end 32 points before the page's right edge.
    // Characters the encoding lacks are written as "?".
    void draw_text(const char *font, const QString &text, double x, double y, double size);
    void stroke_rectangle(double x, double y, double width, double height, double line_width);
    // Lines are stroked when the page is done, in the order they came.
    void horizontal_line(double x, double y, double length, double line_width);
    void vertical_line(double x, double y, double length, double line_width);
    // Black rectangles in one path: the modules of a barcode.
    void fill_rectangles(const std::vector<QRectF> &rectangles);
    // Nothing is drawn when the file does not exist.  A width or height of 0 takes the
    // image's own, times `scale`.
    void draw_jpeg(const QString &file, double x, double y, double width, double height,
                   double scale);

    void set_page_height(double height);
    void set_page_width(double width);
    double page_width();
    double page_height();

    void set_password(const QByteArray &owner, const QByteArray &user);
    void set_permission(unsigned permission);

    // The whole document as libHaru saves it to its memory stream.
    QByteArray save();

private:
    // A line in PDF coordinates.
    struct Stroke {
        QPointF from;
        QPointF to;
        double width = 0.0;
    };

    static void HPDF_STDCALL record_error(HPDF_STATUS error, HPDF_STATUS detail, void *data);
    void check();
    void set_font(HPDF_Font font, double size);
    void set_line_width(double width);
    void add_stroke(const Stroke &stroke);
    void flush_strokes();

    HPDF_Doc m_pdf = nullptr;
    HPDF_Page m_page = nullptr;
    QByteArray m_encoding;
    QHash<QByteArray, HPDF_Font> m_fonts;
    HPDF_STATUS m_error = 0;
    HPDF_STATUS m_detail = 0;
    // What the current page has set, so that a list's thousands of lines in one font and one
    // frame width do not repeat the setting before each of them.
    HPDF_Font m_page_font = nullptr;
    double m_page_font_size = 0.0;
    double m_page_line_width = -1.0;
    std::vector<Stroke> m_strokes;
};
