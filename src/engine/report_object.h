#pragma once
// One object of a band: a text, a picture, a rich text, a line or a barcode, with its place
// inside the band and its frame.  The application reaches objects by name to give them
// texts, pictures and rich texts before the report is prepared.

#include "engine/font_style.h"
#include "engine/frame.h"

#include <QImage>
#include <QRectF>
#include <QRgb>
#include <QStringList>
#include <memory>
#include <variant>

class QTextDocument;

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

// Text lines may hold expressions in square brackets; `format` is the display format of the
// numbers they give ("### ##0.00").  `padding` keeps the text off the object's edges.
struct TextContent {
    QStringList text;
    FontStyle font;
    QRgb color = 0xff000000;
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Top;
    bool word_wrap = true;
    QString format;
    double padding = 0.0;
};

enum class PictureMode { Stretch, KeepAspect, Center };

struct PictureContent {
    std::shared_ptr<const QImage> image;
    PictureMode mode = PictureMode::Stretch;
};

struct RichTextContent {
    std::shared_ptr<const QTextDocument> document;
};

// A horizontal or vertical line along the object's top or left edge.
struct LineContent {
    double width = 1.0;
    QRgb color = 0xff000000;
};

enum class BarcodeSymbology { Qr, Code128 };
enum class QrErrorLevel { L, M, Q, H };

// The encoded text may hold expressions like a text object's.  The quiet zone is counted in
// modules.
struct BarcodeContent {
    BarcodeSymbology symbology = BarcodeSymbology::Qr;
    QStringList text;
    QrErrorLevel error_level = QrErrorLevel::M;
    int quiet_zone = 4;
};

enum class ObjectKind { Text, Picture, RichText, Line, Barcode };

struct ReportObject {
    QString name;
    QRectF rect; // report units, relative to the band's top left corner
    Frame frame;
    QRgb fill = 0; // fully transparent: no fill
    // In a stretching band the object grows with its content and down to the band's bottom.
    bool stretch = false;
    std::variant<TextContent, PictureContent, RichTextContent, LineContent, BarcodeContent> content;

    ObjectKind kind() const { return static_cast<ObjectKind>(content.index()); }

    // The lines of a text or a barcode; empty for other kinds.
    QStringList text() const;
    // False, and nothing changed, when the object holds no text.
    bool set_text(const QStringList &lines);
    // False when the object is not a picture (or, for a file, when it does not load).
    bool set_picture(const QImage &image);
    bool load_picture(const QString &file);
    // Takes a copy of the document.  False when the object is not a rich text.
    bool set_rich_text(const QTextDocument &document);
    bool clear_rich_text();
};
