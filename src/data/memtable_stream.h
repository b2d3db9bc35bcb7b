#pragma once
// The binary stream of a record set: its column definitions and its rows in the set's
// order.  Add-on programs read what export_set writes in this format.
//
//   "TMTB" quint32 version, QString name, qint32 columns,
//   per column: QString name, quint8 type, qint32 size, QString label,
//   qint32 rows, per row and column: quint8 null, then qint32 | double | QByteArray (UTF-8)
// in QDataStream's Qt 6.0 encoding.

#include <QString>
#include <memory>

class TMemTable;

bool save_set_to_file(const TMemTable &set, const QString &path);
std::unique_ptr<TMemTable> load_set_from_file(const QString &path);
