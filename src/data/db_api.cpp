#include "data/db_api.h"

#include "data/app_paths.h"
#include "data/cipher.h"
#include "data/default_labels.h"
#include "data/inifile.h"
#include "data/memtable_stream.h"
#include "data/messages.h"
#include "data/tdatetime.h"
#include "text/format_settings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdlib>
#include <cstring>

TdbAPI *dbAPI = nullptr;

namespace {

const int help_database_error = 9002;

FieldType field_type_of(int library_type)
{
    switch (library_type) {
    case dmInt:
        return FieldType::Integer;
    case dmFloat:
        return FieldType::Float;
    case dmDateTime:
        return FieldType::DateTime;
    default:
        return FieldType::Text;
    }
}

bool library_failed(int result)
{
    return result == 0;
}

QString library_error()
{
    return QString::fromUtf8(dm_last_error());
}

char *copy_utf8(const QByteArray &bytes)
{
    char *copy = static_cast<char *>(std::malloc(bytes.size() + 1));
    std::memcpy(copy, bytes.constData(), bytes.size() + 1);
    return copy;
}

char *copy_name(const QString &name)
{
    return copy_utf8(name.left(DM_MAX_NAME).toUtf8());
}

template <typename T> void *copy_value(T value)
{
    void *copy = std::malloc(sizeof(T));
    std::memcpy(copy, &value, sizeof(T));
    return copy;
}

QString read_connection_file()
{
    QFile file(app_file_path(QStringLiteral(".cfg")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString joined;
    QTextStream in(&file);
    while (!in.atEnd())
        joined += in.readLine();
    return joined;
}

bool is_hidden_column(const QString &upper)
{
    return upper.startsWith(QLatin1String("ID_")) || upper.endsWith(QLatin1String("_ID")) ||
           upper.contains(QLatin1String("RECID"));
}

void set_default_rec(TMemTable &set)
{
    if (TField *recid = set.find_field(QStringLiteral("RECID")))
        recid->set_as_integer(0);
}

} // namespace

TdbAPI::TdbAPI()
{
    dbAPI = this;
}

TdbAPI::~TdbAPI()
{
    m_sets.clear();
    if (dbAPI == this)
        dbAPI = nullptr;
}

bool TdbAPI::connect_through_file()
{
    return dm_open_database(read_connection_file().toUtf8().constData()) != 0;
}

QString TdbAPI::database_path() const
{
    const QString connection = read_connection_file().trimmed();
    const QString scheme = QStringLiteral("sqlite:");
    return connection.startsWith(scheme) ? connection.mid(scheme.size()) : connection;
}

bool TdbAPI::open_database()
{
    read_only = true;
    foreign_currency = false;
    const QByteArray exe = app_exe_path().toUtf8();
    // "Zrušit" in the connection question is the user's way out: the program ends without a
    // word.  The question is a failure only when it leaves a text of its own.
    const auto user_gave_up = [] {
        if (!library_error().isEmpty())
            return false;
        set_program_ending(true);
        return true;
    };
    if (!QFile::exists(app_file_path(QStringLiteral(".cfg"))) &&
        !dm_create_connection_config(exe.constData(), nullptr, 0) && user_gave_up())
        return false;

    bool opened = connect_through_file();
    if (!opened) {
        QString reason = library_error();
        QFile::remove(app_file_path(QStringLiteral(".cfg")));
        if (dm_create_connection_config(exe.constData(), application_window, 0)) {
            opened = connect_through_file();
            reason = library_error();
        } else if (user_gave_up()) {
            return false;
        } else {
            reason = library_error();
        }
        if (!opened) {
            report_db_error(true, reason);
            return false;
        }
    }
    const int attributes = dm_database_attributes();
    read_only = (attributes & 1) != 0;
    if ((attributes & 2) != 0)
        show_message(QStringLiteral("Chyba!"),
                     QStringLiteral("Datový soubor je poškozený. Program ho otevřel jen pro čtení, "
                                    "aby se do poškozených míst nic nezapsalo. Obnovte data ze "
                                    "zálohy příkazem \u201EObnova dat ze zálohy\u201C."),
                     mbIconWarning, false, help_database_error);
    foreign_currency = lookup_text(1, QStringLiteral("CONF_ADDRESS"),
                                   QStringLiteral("FORE_CURR")) == QLatin1String("T");
    if (!read_only)
        upgrade_schema();
    return true;
}

bool TdbAPI::close_database()
{
    if (library_failed(dm_close_database())) {
        report_db_error(false);
        return false;
    }
    return true;
}

void TdbAPI::report_db_error(bool fatal, const QString &text)
{
    QString message = text.trimmed();
    if (text.isEmpty()) {
        message = library_error().trimmed();
        if (message.contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive))
            message =
                QStringLiteral("Číslo partnera, produktu, nebo kód měny, musí být originální. "
                               "To, které jste zadali, je již použito.");
    }
    // A fatal error ends the program; whatever the open transaction wrote so far must not
    // stay behind as half a document.
    if (fatal && dm_in_transaction())
        dm_rollback_transaction();
    show_message(QStringLiteral("Chyba!"), message, mbIconError, fatal, help_database_error);
}

int TdbAPI::new_recid()
{
    // Editors draw the id before they save; on a read-only database the save is refused
    // politely by put_record, and drawing must not end the program first.
    if (read_only)
        return 0;
    const int id = dm_gen_id();
    if (id == 0)
        report_db_error(true);
    return id;
}

bool TdbAPI::exec_sql(const QString &statement)
{
    if (library_failed(dm_exec_sql(statement.toUtf8().constData()))) {
        report_db_error(false);
        return false;
    }
    return true;
}

TMemTable *TdbAPI::select_sql(const QString &name, const QString &select)
{
    auto set = std::make_unique<TMemTable>();
    if (name.toUpper().startsWith(QLatin1String("REPO_")))
        set->name = name;

    DmRecord record{};
    const int handle = dm_init_sql_select(select.toUtf8().constData(), &record);
    if (handle == 0) {
        report_db_error(false);
        dm_free_record(&record);
        return nullptr;
    }
    set->tag = handle;
    for (int slot = 0; slot < record.used; ++slot) {
        const DmField &source = record.fields[slot];
        const FieldType type = field_type_of(source.type);
        // The declared width, not the first row's bytes: a longer stored text must not make
        // its column wider than the table says, nor a shorter one narrower.
        set->add_field(QString::fromUtf8(source.name), type,
                       type == FieldType::Text ? dm_select_text_width(handle, slot) : 0);
    }
    set->open();
    apply_labels(*set, name);
    // A select that fails part-way gives no set rather than a silently short one.
    const bool complete = load_rows(*set, handle);
    if (!complete)
        report_db_error(false);
    dm_close_sql_select(handle);
    dm_free_record(&record);
    if (!complete)
        return nullptr;
    set->tag = 0;
    set->first();
    set->after_insert = set_default_rec;
    m_sets.push_back(std::move(set));
    return m_sets.back().get();
}

IniFile &TdbAPI::label_file()
{
    const QFileInfo file(app_file_path(QStringLiteral(".lng")));
    const QString stamp = QStringLiteral("%1|%2|%3")
                              .arg(file.absoluteFilePath())
                              .arg(file.exists() ? file.size() : -1)
                              .arg(file.lastModified().toMSecsSinceEpoch());
    if (!m_labels || stamp != m_labels_stamp) {
        m_labels = std::make_unique<IniFile>(file.filePath());
        m_labels_stamp = stamp;
    }
    return *m_labels;
}

void TdbAPI::apply_labels(TMemTable &set, const QString &select_name)
{
    const QString section = select_name.trimmed();
    const bool labelled = !section.isEmpty() && !section.startsWith(u'X', Qt::CaseInsensitive) &&
                          !section.startsWith(QLatin1String("REPO_"), Qt::CaseInsensitive);
    IniFile *labels = labelled ? &label_file() : nullptr;
    for (int c = 0; c < set.field_count(); ++c) {
        TField &field = set.field(c);
        const QString upper = field.name().toUpper();
        field.visible = !is_hidden_column(upper);
        if (is_flag_field(upper))
            field.text_hook = flag_text;
        if (!labels)
            continue;
        if (labels->key_exists(section, field.name())) {
            field.display_label = labels->read_string(section, field.name(), field.name());
        } else {
            const QString shipped = default_label(section, field.name());
            field.display_label = shipped.isEmpty() ? field.name() : shipped;
            labels->write_string(section, field.name(), field.display_label);
        }
        if (field.type() == FieldType::Float) {
            const QString float_section = QStringLiteral("FLOAT");
            if (labels->key_exists(float_section, field.name())) {
                field.display_format = labels->read_string(float_section, field.name(), {});
            } else {
                // A column met for the first time shows unformatted unless the program
                // ships a format for it.
                const QString shipped = default_float_format(field.name());
                field.display_format = shipped;
                labels->write_string(float_section, field.name(),
                                     shipped.isEmpty() ? QStringLiteral("########.##") : shipped);
            }
        }
    }
}

bool TdbAPI::load_rows(TMemTable &set, int handle)
{
    set.begin_load();
    const int result = dm_drain_sql_select(
        handle,
        [](void *context, const DmValue *values, int count) {
            auto &target = *static_cast<TMemTable *>(context);
            for (int c = 0; c < count; ++c) {
                const DmValue &value = values[c];
                if (value.type == dmNone) {
                    target.load_null(c);
                    continue;
                }
                switch (target.field(c).type()) {
                case FieldType::Integer:
                    target.load_integer(c, value.integer);
                    break;
                case FieldType::Float:
                case FieldType::DateTime:
                    target.load_number(c, value.real);
                    break;
                case FieldType::Text:
                    target.load_text(c, std::string_view(value.text, size_t(value.bytes)));
                    break;
                }
            }
            target.load_row_done();
        },
        &set);
    set.end_load();
    return result > 0;
}

bool TdbAPI::reselect_sql(TMemTable *set, const QString &select)
{
    if (!set || set->state() != TMemTable::State::Browse)
        return false;
    DmRecord record{};
    const int handle = dm_init_sql_select(select.toUtf8().constData(), &record);
    if (handle == 0) {
        report_db_error(false);
        dm_free_record(&record);
        return false;
    }
    bool same_columns = record.used == set->field_count();
    for (int slot = 0; same_columns && slot < record.used; ++slot)
        same_columns = set->field(slot).name() == QString::fromUtf8(record.fields[slot].name) &&
                       set->field(slot).type() == field_type_of(record.fields[slot].type);
    bool complete = same_columns;
    if (same_columns) {
        set->begin_reload();
        complete = load_rows(*set, handle);
        if (!complete) {
            report_db_error(false);
            set->begin_reload();
            set->end_load();
        }
        set->first();
    }
    dm_close_sql_select(handle);
    dm_free_record(&record);
    return complete;
}

ScopedSet TdbAPI::select_scoped(const QString &name, const QString &select)
{
    return ScopedSet(*this, select_sql(name, select));
}

void TdbAPI::free_set(TMemTable *set)
{
    if (!set)
        return;
    std::erase_if(m_sets,
                  [set](const std::unique_ptr<TMemTable> &owned) { return owned.get() == set; });
}

void TdbAPI::sort_set(TMemTable *set, const QString &fields, bool descending)
{
    if (!set || !set->active() || set->field_count() == 0)
        return;
    QString list = fields.trimmed();
    if (list.isEmpty())
        list = set->field(0).name();
    if (set->find_field(QStringLiteral("RECID")) &&
        !list.toUpper().contains(QLatin1String("RECID")))
        list += QLatin1String(";RECID");
    set->sort_on(list, descending);
}

void TdbAPI::sort_by_title(const TField &column)
{
    sort_set(&column.table(), column.name(),
             column.name().contains(QLatin1String("DATE"), Qt::CaseInsensitive));
}

void TdbAPI::filter_year(TMemTable *set, const QString &column, int year)
{
    if (!set || !set->active())
        return;
    // An unknown column would otherwise switch on whatever filter the set had before.
    const bool understood = set->set_filter_text(
        column + QStringLiteral(" >= '") + format_short_date(QDate(year, 1, 1)) +
        QStringLiteral("' and ") + column + QStringLiteral(" <= '") +
        format_short_date(QDate(year, 12, 31)) + u'\'');
    if (!understood) {
        qWarning("programming error: filter_year on column '%s' of a set without it",
                 qUtf8Printable(column));
        set->set_filtered(false);
        return;
    }
    set->set_filtered(true);
}

bool TdbAPI::locate_recid(int id, TMemTable *set)
{
    if (!set || !set->active())
        return false;
    if (set->locate(QStringLiteral("RECID"), id))
        return true;
    set->first();
    return false;
}

int TdbAPI::current_recid(const TMemTable *set) const
{
    if (!set || !set->active() || set->is_empty())
        return 0;
    const TField *recid = set->find_field(QStringLiteral("RECID"));
    return recid ? recid->as_integer() : 0;
}

int TdbAPI::record_count(const TMemTable *set) const
{
    return set && set->active() ? set->record_count() : 0;
}

void TdbAPI::link_master_detail(TMemTable *master, TMemTable *detail, const QString &detail_fields,
                                const QString &master_fields)
{
    if (detail)
        detail->set_master(master, detail_fields, master_fields);
}

int TdbAPI::export_set(TMemTable *set, int mode, const QString &file_name)
{
    if (!set)
        return 0;
    if (mode == -1) {
        save_set_to_file(*set, file_name);
    } else {
        QFile file(file_name);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            QTextStream out(&file);
            for (int c = 0; c < set->field_count(); ++c)
                out << set->field(c).name() << u'=' << set->field(c).as_string() << u'\n';
        }
    }
    return set->record_count();
}

bool TdbAPI::refresh_record(int id, const QString &table, TMemTable *set)
{
    if (id == 0 || !set || !set->active())
        return false;
    if (!set->locate(QStringLiteral("RECID"), id) && !set->locate(QStringLiteral("RECID"), 0))
        return false;
    DmRecord record{};
    const QString select = QStringLiteral("SELECT * FROM ") + table +
                           QStringLiteral(" WHERE RECID=") + QString::number(id);
    if (library_failed(dm_fetch_record(select.toUtf8().constData(), &record))) {
        // A row that is no longer in its view is no error, only nothing to show.
        if (!library_error().isEmpty())
            report_db_error(false);
        dm_free_record(&record);
        return false;
    }
    set->edit();
    for (int slot = 0; slot < record.used; ++slot) {
        const DmField &source = record.fields[slot];
        TField *field = source.name ? set->find_field(QString::fromUtf8(source.name)) : nullptr;
        if (!field || !source.value)
            continue;
        switch (source.type) {
        case dmInt:
            field->set_as_integer(*static_cast<const int32_t *>(source.value));
            break;
        case dmFloat:
            field->set_as_float(*static_cast<const double *>(source.value));
            break;
        case dmDateTime:
            field->set_as_datetime(*static_cast<const double *>(source.value));
            break;
        case dmText:
            field->set_stored_string(QString::fromUtf8(static_cast<const char *>(source.value)));
            break;
        default:
            break;
        }
    }
    set->post();
    dm_free_record(&record);
    return locate_recid(id, set);
}

namespace {

// A name that would change the statement is a fault in the program, not the user's.
bool identifiers_ok(std::initializer_list<QString> names, const char *function)
{
    for (const QString &name : names) {
        if (!is_sql_identifier(name)) {
            qWarning("programming error: %s refuses the name '%s'", function, qUtf8Printable(name));
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<QVariant> TdbAPI::select_value(const QString &select, int column)
{
    const ScopedSet set = select_scoped(QStringLiteral("X"), select);
    if (!set)
        return std::nullopt;
    if (set->is_empty() || set->field(column).is_null())
        return QVariant();
    return set->field(column).value();
}

int TdbAPI::lookup_int(int id, const QString &table, const QString &column)
{
    if (!identifiers_ok({table, column}, "lookup_int"))
        return 0;
    const std::optional<QVariant> value =
        select_value(QStringLiteral("SELECT RECID, %1 FROM %2 WHERE RECID=%3")
                         .arg(column, table, QString::number(id)),
                     1);
    return value ? value->toInt() : 0;
}

QString TdbAPI::lookup_text(int id, const QString &table, const QString &column)
{
    if (!identifiers_ok({table, column}, "lookup_text"))
        return {};
    const std::optional<QVariant> value =
        select_value(QStringLiteral("SELECT RECID, %1 FROM %2 WHERE RECID=%3")
                         .arg(column, table, QString::number(id)),
                     1);
    return value ? value->toString() : QString();
}

int TdbAPI::count_rows(const QString &table, const QString &condition)
{
    if (!identifiers_ok({table}, "count_rows"))
        return -1;
    QString select = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!condition.trimmed().isEmpty())
        select += QStringLiteral(" WHERE ") + condition;
    const std::optional<QVariant> count = select_value(select, 0);
    return count ? count->toInt() : -1;
}

bool TdbAPI::value_in_use(int id, const QString &value, const QString &table, const QString &column)
{
    if (!identifiers_ok({table, column}, "value_in_use"))
        return true;
    const ScopedSet set =
        select_scoped(QStringLiteral("X"), QStringLiteral("SELECT RECID, %1 FROM %2 WHERE %1=%3")
                                               .arg(column, table, sql_quote(value)));
    if (!set)
        return true;
    if (set->is_empty())
        return false;
    return id == 0 || set->record_count() != 1 || set->field(0).as_integer() != id;
}

void TdbAPI::prepare_record(DmRecord &record, TMemTable *set)
{
    std::memset(&record, 0, sizeof record);
    if (!set ||
        (set->state() != TMemTable::State::Edit && set->state() != TMemTable::State::Insert))
        return;
    if (read_only) {
        set->cancel();
        return;
    }
    const int id = current_recid(set);
    set->post();
    locate_recid(id, set);
}

void TdbAPI::add_field_value(DmRecord &record, int slot, const TField *column)
{
    DmField &target = record.fields[slot];
    if (!column) {
        target.name = copy_name(QStringLiteral("RECID"));
        target.type = dmInt;
        target.size = sizeof(int32_t);
        target.value = copy_value<int32_t>(new_recid());
        return;
    }
    target.name = copy_name(column->name());
    switch (column->type()) {
    case FieldType::Text: {
        // Texts are cut to the column's width where they enter the set; a stored text that
        // is longer than the width goes back as it came.  The size counts bytes, which a
        // Czech letter takes two of.
        const QByteArray text = column->as_string().toUtf8();
        target.type = dmText;
        target.size = int32_t(text.size() + 1);
        target.value = copy_utf8(text);
        break;
    }
    case FieldType::Integer:
        target.type = dmInt;
        target.size = sizeof(int32_t);
        target.value = copy_value<int32_t>(column->as_integer());
        break;
    case FieldType::Float:
        target.type = dmFloat;
        target.size = sizeof(double);
        target.value = copy_value<double>(column->as_float());
        break;
    case FieldType::DateTime:
        // An empty date is stored as no date rather than as the calendar's day zero.
        target.type = dmDateTime;
        target.size = sizeof(double);
        target.value = column->is_null() ? nullptr : copy_value<double>(column->as_datetime());
        break;
    }
}

void TdbAPI::add_int_value(DmRecord &record, int slot, const QString &name, int value)
{
    DmField &target = record.fields[slot];
    target.name = copy_name(name);
    target.type = dmInt;
    target.size = sizeof(int32_t);
    target.value = copy_value<int32_t>(value);
}

void TdbAPI::add_float_value(DmRecord &record, int slot, const QString &name, double value)
{
    DmField &target = record.fields[slot];
    target.name = copy_name(name);
    target.type = dmFloat;
    target.size = sizeof(double);
    target.value = copy_value<double>(value);
}

void TdbAPI::add_string_value(DmRecord &record, int slot, const QString &name, const QString &value)
{
    DmField &target = record.fields[slot];
    const QByteArray text = value.toUtf8();
    target.name = copy_name(name);
    target.type = dmText;
    target.size = int32_t(text.size() + 1);
    target.value = copy_utf8(text);
}

void TdbAPI::add_date_value(DmRecord &record, int slot, const QString &name,
                            std::optional<double> days)
{
    DmField &target = record.fields[slot];
    target.name = copy_name(name);
    target.type = dmDateTime;
    target.size = sizeof(double);
    target.value = days ? copy_value<double>(*days) : nullptr;
}

bool TdbAPI::put_record(PutMode mode, DmRecord &record)
{
    bool done = false;
    if (read_only) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Záznam nelze uložit. Datový soubor je na disku, na který "
                                    "nelze zapisovat!"),
                     mbIconWarning, false, help_database_error);
    } else {
        done = dm_put_record(mode, &record) != 0;
        if (!done)
            report_db_error(mode != pmDelete);
    }
    release_record(record);
    return done;
}

void TdbAPI::release_record(DmRecord &record)
{
    for (DmField &field : record.fields) {
        std::free(field.name);
        if (field.size != 0)
            std::free(field.value);
    }
    std::memset(&record, 0, sizeof record);
}

bool TdbAPI::is_flag_field(const QString &column)
{
    return column.toUpper().startsWith(QLatin1String("IS_"));
}

QString TdbAPI::flag_text(const TMemTable &set, int row, const TField &field)
{
    return set.cell_text(row, field.index()) == QLatin1String("T") ? QStringLiteral("ano")
                                                                   : QStringLiteral("ne");
}

QString TdbAPI::encrypt_text(const QString &text) const
{
    return ::encrypt_text(text, cipher_key_text);
}

QString TdbAPI::decrypt_text(const QString &text) const
{
    return ::decrypt_text(text, cipher_key_text);
}
