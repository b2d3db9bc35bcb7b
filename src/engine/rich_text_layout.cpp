#include "engine/rich_text_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

HAlign block_alignment(const QTextBlock &block)
{
    const Qt::Alignment align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        return HAlign::Center;
    if (align & (Qt::AlignRight | Qt::AlignTrailing))
        return HAlign::Right;
    return HAlign::Left;
}

FontStyle run_font(const QFont &font, const QFont &fallback)
{
    FontStyle style;
    style.family = font.family().isEmpty() ? fallback.family() : font.family();
    style.size = font.pointSizeF() > 0 ? font.pointSizeF() : fallback.pointSizeF();
    style.bold = font.bold();
    style.italic = font.italic();
    style.underline = font.underline();
    return style;
}

} // namespace

std::shared_ptr<const RichTextLayout> layout_rich_text(const QTextDocument &document, double width,
                                                       FontBook &fonts)
{
    const double scale = FontBook::device_pixels_per_unit;
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDocumentMargin(0);
    copy->documentLayout()->setPaintDevice(fonts.device());
    copy->setTextWidth(width * scale);
    QAbstractTextDocumentLayout *layout = copy->documentLayout();
    auto result = std::make_shared<RichTextLayout>();
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        const QRectF block_rect = layout->blockBoundingRect(block);
        const QTextLayout *lines = block.layout();
        const QString text = block.text();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            RichLine rich;
            rich.top = (block_rect.top() + line.y()) / scale;
            rich.ascent = line.ascent() / scale;
            rich.height = line.height() / scale;
            rich.align = block_alignment(block);
            const int start = line.textStart();
            const int end = start + line.textLength();
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = std::max(start, fragment.position() - block.position());
                const int to =
                    std::min(end, fragment.position() - block.position() + fragment.length());
                if (from >= to)
                    continue;
                const QTextCharFormat format = fragment.charFormat();
                TextRun run;
                run.x = (block_rect.left() + line.cursorToX(from)) / scale;
                run.text = text.mid(from, to - from);
                run.font = fonts.font(run_font(format.font(), copy->defaultFont()));
                run.color = format.foreground().style() == Qt::NoBrush
                                ? 0xff000000
                                : format.foreground().color().rgba();
                rich.runs.push_back(std::move(run));
            }
            result->lines.push_back(std::move(rich));
        }
    }
    result->height = layout->documentSize().height() / scale;
    return result;
}
