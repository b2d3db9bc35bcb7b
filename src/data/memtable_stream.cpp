#include "data/memtable_stream.h"

#include "data/memtable.h"
#include "data/tdatetime.h"

#include <QDataStream>
#include <QSaveFile>
#include <QFile>

namespace {
constexpr quint32 stream_magic = 0x544D5442; // "TMTB"
constexpr quint32 stream_version = 1;
} // namespace

bool save_set_to_file(const TMemTable &set, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_0);
    out << stream_magic << stream_version << set.name << qint32(set.field_count());
    for (int c = 0; c < set.field_count(); ++c) {
        const TField &field = set.field(c);
        out << field.name() << quint8(field.type()) << qint32(field.size())
            << field.display_label;
    }
    out << qint32(set.record_count());
    for (int row = 0; row < set.record_count(); ++row) {
        for (int c = 0; c < set.field_count(); ++c) {
            const bool null = set.cell_is_null(row, c);
            out << quint8(null);
            if (null)
                continue;
            const QVariant value = set.cell_value(row, c);
            switch (set.field(c).type()) {
            case FieldType::Integer:
                out << qint32(value.toInt());
                break;
            case FieldType::Float:
                out << value.toDouble();
                break;
            case FieldType::DateTime:
                out << days_from_datetime(value.toDateTime());
                break;
            case FieldType::Text:
                out << value.toString().toUtf8();
                break;
            }
        }
    }
    return out.status() == QDataStream::Ok && file.commit();
}

std::unique_ptr<TMemTable> load_set_from_file(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint32 version = 0;
    qint32 columns = 0;
    auto set = std::make_unique<TMemTable>();
    in >> magic >> version >> set->name >> columns;
    if (magic != stream_magic || version != stream_version || columns < 0 || columns > 64)
        return nullptr;
    for (int c = 0; c < columns; ++c) {
        QString name;
        QString label;
        quint8 type = 0;
        qint32 size = 0;
        in >> name >> type >> size >> label;
        if (type > quint8(FieldType::DateTime))
            return nullptr;
        set->add_field(name, FieldType(type), size).display_label = label;
    }
    qint32 rows = 0;
    in >> rows;
    if (in.status() != QDataStream::Ok || rows < 0)
        return nullptr;
    set->open();
    set->begin_load();
    for (int row = 0; row < rows && in.status() == QDataStream::Ok; ++row) {
        for (int c = 0; c < columns; ++c) {
            quint8 null = 1;
            in >> null;
            if (null) {
                set->load_null(c);
                continue;
            }
            switch (set->field(c).type()) {
            case FieldType::Integer: {
                qint32 value = 0;
                in >> value;
                set->load_integer(c, value);
                break;
            }
            case FieldType::Float:
            case FieldType::DateTime: {
                double value = 0.0;
                in >> value;
                set->load_number(c, value);
                break;
            }
            case FieldType::Text: {
                QByteArray value;
                in >> value;
                set->load_text(c, std::string_view(value.constData(), value.size()));
                break;
            }
            }
        }
        set->load_row_done();
    }
    set->end_load();
    if (in.status() != QDataStream::Ok)
        return nullptr;
    return set;
}
