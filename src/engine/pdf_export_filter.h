#pragma once
// The PDF export through libHaru: the base-14 Helvetica fonts in Windows-1250, frames as lines
// and rectangles, pictures as JPEG, rich text line by line, barcodes as filled rectangles,
// always encrypted with the given password and permission.  1 report unit = 0.8 point.

#include "engine/export_filter.h"

#include <QString>
#include <memory>

class THaruPdf;

struct PdfExportOptions {
    // The user password; empty: anybody opens the file.
    QString password;
    // libHaru's permission flags: 20 allows printing (4) and copying (16), 0 neither.
    unsigned permission = 20;
    // The working file pictures pass through as JPEG; empty: beside the executable, named
    // like it with ".jpg".
    QString picture_file;
};

class TfrTNPDFExportFilter : public ExportFilter {
public:
    static const QString description;
    static const QString mask;
    // The owner password, fixed, so that a file without a user password still carries its
    // permissions.
    static const QByteArray owner_password;

    explicit TfrTNPDFExportFilter(PdfExportOptions options = {});
    ~TfrTNPDFExportFilter() override;

    void begin(const PreparedReport &report) override;
    void begin_page(const PreparedPage &page) override;
    void object(const DisplayItem &item) override;
    void text_line(const DisplayItem &item, const TextLine &line) override;
    void end(QIODevice &output) override;

private:
    void draw_frame(const Frame &frame, double x, double y, double width, double height);
    void draw_picture(const DisplayPicture &picture);
    void draw_rich_text(const DisplayItem &item, const RichTextLayout &layout);
    QString picture_file() const;

    PdfExportOptions m_options;
    std::unique_ptr<THaruPdf> m_pdf;
    const PreparedReport *m_report = nullptr;
    int m_pages = 0;
};
