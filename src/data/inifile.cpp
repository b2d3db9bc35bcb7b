#include "data/inifile.h"

#include "text/cp1250.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QByteArray utf8_byte_order_mark = QByteArrayLiteral("\xEF\xBB\xBF");

bool same_name(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool has_line_break(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

bool valid_section(const QString &name)
{
    return !name.isEmpty() && !name.contains(u']') && !has_line_break(name);
}

// A key must not read back as a section header, a comment or a key with another name.
bool valid_key(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'=') && !has_line_break(name) &&
           !name.startsWith(u'[') && !name.startsWith(u';') && !name.startsWith(u'#');
}

QString single_line(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

struct IniText {
    enum class Kind { Other, Section, Entry };

    struct Line {
        Kind kind = Kind::Other;
        QString text; // as in the file, without its line end
        QString name; // section name or key
        QString value;
    };

    std::vector<Line> lines;
    bool crlf = false;
    bool byte_order_mark = false;

    static Line parse_line(const QString &text)
    {
        Line line{Kind::Other, text, {}, {}};
        const QString trimmed = text.trimmed();
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            if (close > 0) {
                line.kind = Kind::Section;
                line.name = trimmed.mid(1, close - 1).trimmed();
            }
            return line;
        }
        if (trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
            return line;
        const qsizetype equals = text.indexOf(u'=');
        if (equals < 0)
            return line;
        line.name = text.left(equals).trimmed();
        if (line.name.isEmpty())
            return line;
        line.kind = Kind::Entry;
        line.value = text.mid(equals + 1).trimmed();
        return line;
    }

    static Line entry_line(const QString &key, const QString &value)
    {
        return parse_line(key + u'=' + value);
    }

    // Files of older installations may still be in Windows-1250; they are read as such
    // rather than spoiled with replacement characters, and written back as UTF-8.
    void parse(QByteArray bytes)
    {
        byte_order_mark = bytes.startsWith(utf8_byte_order_mark);
        if (byte_order_mark)
            bytes.remove(0, utf8_byte_order_mark.size());
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        if (utf8.hasError())
            text = from_cp1250(bytes);
        crlf = text.contains(QLatin1String("\r\n"));
        QStringList texts = text.split(u'\n');
        if (texts.last().isEmpty())
            texts.removeLast();
        lines.clear();
        lines.reserve(texts.size());
        for (QString &line : texts) {
            if (line.endsWith(u'\r'))
                line.chop(1);
            lines.push_back(parse_line(line));
        }
    }

    QByteArray serialized() const
    {
        const QByteArray end = crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
        QByteArray bytes = byte_order_mark ? utf8_byte_order_mark : QByteArray();
        for (const Line &line : lines)
            bytes += line.text.toUtf8() + end;
        return bytes;
    }

    // Calls visit(index) for every line inside the blocks of the section, headers excluded.
    template <typename Visit> void for_each_in_section(const QString &section, Visit visit) const
    {
        bool inside = false;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == Kind::Section)
                inside = same_name(lines[i].name, section);
            else if (inside)
                visit(i);
        }
    }

    const Line *find_entry(const QString &section, const QString &key) const
    {
        const Line *found = nullptr;
        for_each_in_section(section, [&](size_t i) {
            const Line &line = lines[i];
            if (!found && line.kind == Kind::Entry && same_name(line.name, key))
                found = &line;
        });
        return found;
    }

    Line *find_entry(const QString &section, const QString &key)
    {
        return const_cast<Line *>(std::as_const(*this).find_entry(section, key));
    }

    std::optional<size_t> find_section(const QString &section) const
    {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == Kind::Section && same_name(lines[i].name, section))
                return i;
        }
        return std::nullopt;
    }

    // After the last entry of the section's first block, or right after its header.
    size_t end_of_entries(size_t header) const
    {
        size_t position = header + 1;
        for (size_t i = header + 1; i < lines.size() && lines[i].kind != Kind::Section; ++i) {
            if (lines[i].kind == Kind::Entry)
                position = i + 1;
        }
        return position;
    }

    bool set_value(const QString &section, const QString &key, const QString &value)
    {
        if (Line *line = find_entry(section, key)) {
            if (line->value == value.trimmed())
                return false;
            *line = entry_line(line->name, value);
            return true;
        }
        if (const auto header = find_section(section)) {
            lines.insert(lines.begin() + end_of_entries(*header), entry_line(key, value));
            return true;
        }
        if (!lines.empty() && !lines.back().text.trimmed().isEmpty())
            lines.push_back(parse_line(QString()));
        lines.push_back(parse_line(u'[' + section + u']'));
        lines.push_back(entry_line(key, value));
        return true;
    }

    // Removes the lines for which drop(line, whether it lies in the section) holds.
    template <typename Drop> bool remove_lines(const QString &section, Drop drop)
    {
        std::vector<Line> kept;
        kept.reserve(lines.size());
        bool inside = false;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == Kind::Section)
                inside = same_name(lines[i].name, section);
            if (!drop(lines[i], inside))
                kept.push_back(std::move(lines[i]));
        }
        const bool changed = kept.size() != lines.size();
        lines = std::move(kept);
        return changed;
    }
};

IniFile::IniFile(QString path) : m_path(std::move(path)), m_text(std::make_unique<IniText>())
{
    load(*m_text);
}

IniFile::IniFile(IniFile &&other) noexcept = default;
IniFile &IniFile::operator=(IniFile &&other) noexcept = default;
IniFile::~IniFile() = default;

bool IniFile::load(IniText &text)
{
    QFile file(m_path);
    if (!file.exists()) {
        text = IniText();
        return true;
    }
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError) {
        m_error = QStringLiteral("Soubor %1 nelze přečíst: %2")
                      .arg(QDir::toNativeSeparators(m_path), file.errorString());
        return false;
    }
    text.parse(bytes);
    return true;
}

// The new text goes to a temporary file that then replaces the old one, so a crash never
// leaves half a file.  In a folder that allows no new files but holds a writable file, the
// file is rewritten in place instead: the setting is saved rather than refused.
bool IniFile::save(const IniText &text)
{
    QSaveFile file(m_path);
    file.setDirectWriteFallback(true);
    const QByteArray bytes = text.serialized();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_error = file.errorString();
        return false;
    }
    return true;
}

bool IniFile::update(const std::function<bool(IniText &)> &change)
{
    m_error.clear();
    auto fresh = std::make_unique<IniText>();
    if (!load(*fresh))
        return false;
    if (change(*fresh) && !save(*fresh))
        return false;
    m_text = std::move(fresh);
    return true;
}

QString IniFile::read_string(const QString &section, const QString &key,
                             const QString &default_value) const
{
    const IniText::Line *line = m_text->find_entry(section.trimmed(), key.trimmed());
    return line ? line->value : default_value;
}

int IniFile::read_int(const QString &section, const QString &key, int default_value) const
{
    bool ok = false;
    const int value = read_string(section, key).toInt(&ok, 10);
    return ok ? value : default_value;
}

bool IniFile::read_bool(const QString &section, const QString &key, bool default_value) const
{
    return read_int(section, key, default_value ? 1 : 0) != 0;
}

bool IniFile::section_exists(const QString &section) const
{
    return m_text->find_section(section.trimmed()).has_value();
}

bool IniFile::key_exists(const QString &section, const QString &key) const
{
    return m_text->find_entry(section.trimmed(), key.trimmed()) != nullptr;
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const IniText::Line &line : m_text->lines) {
        if (line.kind == IniText::Kind::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList names;
    m_text->for_each_in_section(section.trimmed(), [&](size_t i) {
        const IniText::Line &line = m_text->lines[i];
        if (line.kind == IniText::Kind::Entry && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    });
    return names;
}

bool IniFile::write_string(const QString &section, const QString &key, const QString &value)
{
    const QString section_name = section.trimmed();
    const QString key_name = key.trimmed();
    if (!valid_section(section_name)) {
        m_error = QStringLiteral("Neplatný název oddílu: \"%1\"").arg(section);
        return false;
    }
    if (!valid_key(key_name)) {
        m_error = QStringLiteral("Neplatný název klíče: \"%1\"").arg(key);
        return false;
    }
    const QString line_value = single_line(value);
    return update(
        [&](IniText &text) { return text.set_value(section_name, key_name, line_value); });
}

bool IniFile::write_int(const QString &section, const QString &key, int value)
{
    return write_string(section, key, QString::number(value));
}

bool IniFile::write_bool(const QString &section, const QString &key, bool value)
{
    return write_string(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::erase_section(const QString &section)
{
    const QString name = section.trimmed();
    return update([&](IniText &text) {
        return text.remove_lines(name, [](const IniText::Line &, bool inside) { return inside; });
    });
}

bool IniFile::delete_key(const QString &section, const QString &key)
{
    const QString section_name = section.trimmed();
    const QString key_name = key.trimmed();
    return update([&](IniText &text) {
        return text.remove_lines(section_name, [&](const IniText::Line &line, bool inside) {
            return inside && line.kind == IniText::Kind::Entry && same_name(line.name, key_name);
        });
    });
}
