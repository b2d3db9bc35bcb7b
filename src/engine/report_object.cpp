#include "engine/report_object.h"

#include <QTextDocument>

QStringList ReportObject::text() const
{
    if (const auto *text = std::get_if<TextContent>(&content))
        return text->text;
    if (const auto *barcode = std::get_if<BarcodeContent>(&content))
        return barcode->text;
    return {};
}

bool ReportObject::set_text(const QStringList &lines)
{
    if (auto *text = std::get_if<TextContent>(&content)) {
        text->text = lines;
        return true;
    }
    if (auto *barcode = std::get_if<BarcodeContent>(&content)) {
        barcode->text = lines;
        return true;
    }
    return false;
}

bool ReportObject::set_picture(const QImage &image)
{
    auto *picture = std::get_if<PictureContent>(&content);
    if (!picture)
        return false;
    picture->image = image.isNull() ? nullptr : std::make_shared<const QImage>(image);
    return true;
}

bool ReportObject::load_picture(const QString &file)
{
    QImage image;
    if (kind() != ObjectKind::Picture || !image.load(file))
        return false;
    return set_picture(image);
}

bool ReportObject::set_rich_text(const QTextDocument &document)
{
    auto *rich = std::get_if<RichTextContent>(&content);
    if (!rich)
        return false;
    rich->document = std::shared_ptr<const QTextDocument>(document.clone());
    return true;
}

bool ReportObject::clear_rich_text()
{
    auto *rich = std::get_if<RichTextContent>(&content);
    if (!rich)
        return false;
    rich->document.reset();
    return true;
}
