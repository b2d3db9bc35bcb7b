#pragma once
// An INI file: [sections] of key=value lines, UTF-8.  Section and key names are compared
// without regard to letter case; the file keeps its order, comments (';' or '#'), blank
// lines and line ends when it is rewritten.  Values are texts as they stand (surrounding
// spaces ignored, no quoting), integers in decimal, yes/no as 1/0 (any non-zero integer is
// yes).  A section that occurs twice reads as one, the first occurrence of a key winning.
//
// The file is read when the object is made; each write reads it again, applies the change
// and replaces the file at once, so writes from other objects in between are kept.  A file
// that exists but cannot be read is never overwritten.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

struct IniText;

class IniFile {
public:
    // A missing file reads as an empty one.
    explicit IniFile(QString path);
    IniFile(IniFile &&other) noexcept;
    IniFile &operator=(IniFile &&other) noexcept;
    ~IniFile();

    const QString &path() const { return m_path; }

    // The reason of the last failed read of the file or of the last failed write; empty
    // after a successful write.
    const QString &error_text() const { return m_error; }

    QString read_string(const QString &section, const QString &key,
                        const QString &default_value = {}) const;
    // A value that is not a decimal integer reads as the default.
    int read_int(const QString &section, const QString &key, int default_value) const;
    bool read_bool(const QString &section, const QString &key, bool default_value) const;

    bool section_exists(const QString &section) const;
    bool key_exists(const QString &section, const QString &key) const;
    // Names as spelled at their first occurrence, in file order.
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    // Each write returns false and leaves the file as it was when it cannot be carried
    // out.  A new key goes to the end of its section, a new section to the end of the
    // file.  Line breaks inside a value are stored as spaces, since a value is one line.
    bool write_string(const QString &section, const QString &key, const QString &value);
    bool write_int(const QString &section, const QString &key, int value);
    bool write_bool(const QString &section, const QString &key, bool value);
    bool erase_section(const QString &section);
    bool delete_key(const QString &section, const QString &key);

private:
    bool update(const std::function<bool(IniText &)> &change);
    bool load(IniText &text);
    bool save(const IniText &text);

    QString m_path;
    QString m_error;
    std::unique_ptr<IniText> m_text;
};
