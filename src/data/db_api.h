#pragma once
// The data module: the program's one database session.  It opens the database through the
// data-manager library, turns selects into record sets that it owns, writes single records
// back, re-reads them, answers small lookups, keeps the number series and brings the
// schema up to date.  Windows reach it through the global `dbAPI`.

#include "data/memtable.h"
#include "data/scoped_set.h"
#include "platform/dm/dm.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

class IniFile;
class PictureBox;
class QImage;
class QTextDocument;

class TdbAPI : public QObject {
    Q_OBJECT

public:
    TdbAPI();
    ~TdbAPI() override;

    // True until the database is opened; then bit 0 of the library's attributes.
    bool read_only = true;
    // The firm also invoices in foreign currencies (FORE_CURR of the firm's row).
    bool foreign_currency = false;

    // The window the library's questions are parented to (null while starting up).
    void *application_window = nullptr;

    // Connection.
    bool open_database();
    bool close_database();
    // The database file the connection names; empty when it names none.
    QString database_path() const;
    void report_db_error(bool fatal, const QString &text = {});
    // 0 without a word on a read-only database: the write that follows is refused anyway.
    int new_recid();
    bool exec_sql(const QString &statement);

    // Record sets.
    TMemTable *select_sql(const QString &name, const QString &select);
    // The same, for a set that the caller frees on leaving its scope.
    ScopedSet select_scoped(const QString &name, const QString &select);
    // Replaces the rows of a browsing set by those of a select of the same columns (the
    // same select with another condition), keeping the set, its labels, its filter and every
    // control bound to it; the rows come in the select's order.  False, the set as it was,
    // when the select fails (reported) or gives other columns; a select failing part-way
    // leaves the set empty.
    bool reselect_sql(TMemTable *set, const QString &select);
    void free_set(TMemTable *set);
    void sort_set(TMemTable *set, const QString &fields, bool descending);
    void sort_by_title(const TField &column);
    void filter_year(TMemTable *set, const QString &column, int year);
    bool locate_recid(int id, TMemTable *set);
    int current_recid(const TMemTable *set) const;
    int record_count(const TMemTable *set) const;
    void link_master_detail(TMemTable *master, TMemTable *detail, const QString &detail_fields,
                            const QString &master_fields);
    int export_set(TMemTable *set, int mode, const QString &file_name);

    // Reading.
    bool refresh_record(int id, const QString &table, TMemTable *set);
    // Table and column names must be plain identifiers; any other is refused as a
    // programming error with the value of a missing row.
    int lookup_int(int id, const QString &table, const QString &column);
    QString lookup_text(int id, const QString &table, const QString &column);
    // Rows of the table, where the condition (SQL text, may be empty) holds.  -1 when the
    // count could not be made: a caller that asks for "> 0" or "== 0" stays on the safe road
    // both ways.
    int count_rows(const QString &table, const QString &condition = {});
    // Whether another row than `id` holds the value in the column; the value is quoted
    // here.  A check that cannot run answers "in use", so nothing duplicate is saved.
    bool value_in_use(int id, const QString &value, const QString &table, const QString &column);

    // Writing: prepare_record, the caller's table name and id, add_* per slot, the used
    // slot count, put_record.  put_record always releases what the program put.
    void prepare_record(DmRecord &record, TMemTable *set);
    void add_field_value(DmRecord &record, int slot, const TField *column = nullptr);
    void add_int_value(DmRecord &record, int slot, const QString &name, int value);
    void add_float_value(DmRecord &record, int slot, const QString &name, double value);
    void add_string_value(DmRecord &record, int slot, const QString &name, const QString &value);
    // Days since 30 Dec 1899; no value stores no date.
    void add_date_value(DmRecord &record, int slot, const QString &name,
                        std::optional<double> days);
    bool put_record(PutMode mode, DmRecord &record);
    void release_record(DmRecord &record);

    // Hooks shared by all windows.
    static bool is_flag_field(const QString &column);
    static QString flag_text(const TMemTable &set, int row, const TField &field);

    // Stored secrets (mail passwords).
    QString encrypt_text(const QString &text) const;
    QString decrypt_text(const QString &text) const;

    // Number series.
    // 0 when the series could not be read (reported): no number rather than a used one.
    int next_number(const QString &name, const QString &table, int start, int step,
                    const QString &condition = {});
    bool mark_series_written(int series, int number);
    static int digits_value(const QString &text);

    // Stored texts and pictures, by the RECID of their owner (or LOGO_ID, STAMP_ID).
    // The reads give the library's result: -1 failure, 0 nothing stored, above 0 read.
    int read_rtf(int id, QTextDocument *editor);
    bool write_rtf(int id, QTextDocument *editor);
    int read_picture(int id, PictureBox *control);
    bool write_picture(int id, PictureBox *control);
    void fit_picture(const QImage &picture, PictureBox *control);
    bool blob_file_ok(const QString &file_name);

    // Backup and restore of the whole database; the library asks where.  Both leave the
    // database open again; a failed restore ends the program.
    bool backup_data(int mode);
    bool restore_data(int mode);

    // Schema upgrade, run after every writable opening.
    void upgrade_schema();
    bool ensure_object(const QString &object, const QString &statement);

private:
    bool connect_through_file();
    // The first row's value of a one-row select; empty when the select was refused,
    // a null value when it gave no row.
    std::optional<QVariant> select_value(const QString &select, int column);
    void apply_labels(TMemTable &set, const QString &select_name);
    bool load_rows(TMemTable &set, int handle);

    // The label file as last read; read again when the file on disk has changed.
    IniFile &label_file();

    std::vector<std::unique_ptr<TMemTable>> m_sets;
    std::unique_ptr<IniFile> m_labels;
    QString m_labels_stamp;
};

// The program's data module; set while it exists.
extern TdbAPI *dbAPI;
