#include "engine/qr_code.h"

#include "engine/report_error.h"

#include <memory>
#include <qrencode.h>

namespace {

QRecLevel to_qrencode(QrErrorLevel level)
{
    switch (level) {
    case QrErrorLevel::L:
        return QR_ECLEVEL_L;
    case QrErrorLevel::M:
        return QR_ECLEVEL_M;
    case QrErrorLevel::Q:
        return QR_ECLEVEL_Q;
    case QrErrorLevel::H:
        return QR_ECLEVEL_H;
    }
    return QR_ECLEVEL_M;
}

struct QrCodeFree {
    void operator()(QRcode *code) const { QRcode_free(code); }
};

} // namespace

std::vector<QRectF> qr_modules(const QString &text, QrErrorLevel level, int quiet_zone,
                               const QSizeF &size)
{
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, QrCodeFree> code(
        QRcode_encodeString8bit(utf8.constData(), 0, to_qrencode(level)));
    if (!code)
        throw ReportError(
            QStringLiteral("Text QR kódu je příliš dlouhý (%1 bajtů).").arg(utf8.size()));
    const int width = code->width;
    const double side = std::min(size.width(), size.height());
    const double module = side / double(width + 2 * quiet_zone);
    const double left = (size.width() - side) / 2 + quiet_zone * module;
    const double top = (size.height() - side) / 2 + quiet_zone * module;
    std::vector<QRectF> modules;
    for (int y = 0; y < width; ++y) {
        const unsigned char *row = code->data + size_t(y) * size_t(width);
        for (int x = 0; x < width;) {
            if (!(row[x] & 1)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && (row[x] & 1))
                ++x;
            modules.emplace_back(left + start * module, top + y * module, (x - start) * module,
                                 module);
        }
    }
    return modules;
}
