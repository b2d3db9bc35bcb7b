#pragma once
// A prepared report: its pages as lists of items, each with its rectangle in report units
// and its text already wrapped and aligned.  Preview, printing and every export filter
// replay this one list, so they all break lines the same way.
//
// Rectangles, text lines and picture targets are in page coordinates.  The shared parts
// (rich-text lines, barcode modules) lie relative to their item's top left corner, so that
// one layout serves every item made from it.

#include "engine/font_style.h"
#include "engine/frame.h"
#include "engine/report_band.h"

#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <variant>
#include <vector>

// A font with its metrics measured once, on the preparer's fixed-resolution device.
struct PreparedFont {
    FontStyle style;
    double ascent = 0.0; // report units
    double height = 0.0; // line spacing, report units
};

struct TextLine {
    QPointF position; // top left corner of the line
    QString text;
};

struct DisplayText {
    int font = 0; // index into PreparedReport::fonts
    QRgb color = 0xff000000;
    HAlign align = HAlign::Left;
    std::vector<TextLine> lines;
};

struct DisplayPicture {
    std::shared_ptr<const QImage> image;
    QRectF target; // where the picture is drawn, after its mode has fitted it to the object
};

struct TextRun {
    double x = 0.0;
    QString text;
    int font = 0;
    QRgb color = 0xff000000;
};

struct RichLine {
    double top = 0.0;
    double ascent = 0.0;
    double height = 0.0;
    HAlign align = HAlign::Left;
    std::vector<TextRun> runs;

    QString text() const;
};

struct RichTextLayout {
    std::vector<RichLine> lines;
    double height = 0.0;
};

struct DisplayRichText {
    std::shared_ptr<const RichTextLayout> layout;
};

struct DisplayLine {
    QLineF line;
    double width = 1.0;
    QRgb color = 0xff000000;
};

// Dark modules, black on a white object.
struct DisplayBarcode {
    std::shared_ptr<const std::vector<QRectF>> modules;
};

struct DisplayItem {
    QRectF rect;
    Frame frame;
    QRgb fill = 0;
    BandKind band = BandKind::MasterData;
    // Every printed band row has its own number, shared by the items it printed, also when
    // the band is split across pages.
    int row = 0;
    std::variant<DisplayText, DisplayPicture, DisplayRichText, DisplayLine, DisplayBarcode> content;

    ObjectKind kind() const { return static_cast<ObjectKind>(content.index()); }
};

struct PreparedPage {
    QSizeF size;
    std::vector<DisplayItem> items;
};

struct PreparedReport {
    std::vector<PreparedFont> fonts;
    std::vector<PreparedPage> pages;
};
