#pragma once
// The data-manager library: every database access of Tallyra goes through these
// functions.  Texts are UTF-8 and zero-terminated.  Behind the interface stands SQLite.
//
// Ownership: the library frees what it put into a record (dm_free_record); the program
// frees what it put there itself.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(TALLYRA_DM_BUILD)
#define DM_API __attribute__((visibility("default")))
#else
#define DM_API
#endif

enum { DM_MAX_FIELDS = 64, DM_MAX_NAME = 31 };

typedef enum DmFieldType {
    dmNone = 0,
    dmInt = 1,      /* int32_t */
    dmFloat = 2,    /* double */
    dmText = 3,     /* zero-terminated text; size = length + 1 */
    dmDateTime = 4, /* double: days since 30 Dec 1899 */
} DmFieldType;

typedef struct DmField {
    uint8_t type;  /* DmFieldType */
    char *name;    /* at most DM_MAX_NAME characters */
    int32_t size;  /* bytes of the value */
    void *value;   /* null: SQL NULL */
} DmField;

typedef struct DmRecord {
    const char *table; /* put only */
    uint8_t eof;       /* nonzero when a select has no (more) row */
    int32_t used;      /* used slots */
    int32_t id;        /* RECID of the row to update or delete */
    DmField fields[DM_MAX_FIELDS];
} DmRecord;

typedef enum PutMode { pmInsert = 0, pmUpdate = 1, pmDelete = 2 } PutMode;

/* What the library asks the user through the chooser hook. */
typedef enum DmChoice {
    dmChooseNewDatabase = 0,   /* the database of a new connection (may be an existing one) */
    dmChooseBackupTarget = 1,  /* where to write a backup copy */
    dmChooseRestoreSource = 2, /* which backup copy to bring back */
} DmChoice;

/* Asks the user for a file path.  `proposal` is the library's suggestion (may be empty).
   `detail` is what the user must know first (may be empty): for a new connection after a
   failed opening, which database did not open and why.  Writes the chosen path into `out`
   and returns nonzero, or returns 0 when the user cancels.  `parent` is the window handle
   the caller passed to the library, or null. */
typedef int (*DmChooser)(DmChoice kind, void *parent, const char *proposal, const char *detail,
                         char *out, int out_size);

/* Installs the chooser; null restores the default, which accepts every non-empty
   proposal without asking (headless use). */
DM_API void dm_set_chooser(DmChooser chooser);

/* `app_exe` (the "module instance") is the path of the executable: the connection file
   is that path with the extension ".cfg". */
DM_API int dm_create_connection_config(const char *app_exe, void *parent, int reserved);
DM_API int dm_open_database(const char *connection);
DM_API int dm_close_database(void);
/* bit 0: read-only; bit 1: the file failed its integrity check after the program had not
   closed it cleanly, and was opened read-only so that nothing is written into the damage */
DM_API int dm_database_attributes(void);
DM_API int dm_version(void);
DM_API const char *dm_last_error(void);  /* empty when the last call raised no failure */

/* Runs exactly one statement; a text with a second one is refused. */
DM_API int dm_exec_sql(const char *statement);
/* Runs a script of the program's own, statement after statement (the base schema of a new
   database, the steps of a schema upgrade); never text built from the user's input. */
DM_API int dm_exec_script(const char *script);
/* kind_and_name: "TABLE.", "VIEW." or "TRIGGER." followed by the object's name */
DM_API int dm_db_object_exists(const char *kind_and_name);

DM_API int dm_init_sql_select(const char *select, DmRecord *record); /* handle, 0: failure */
DM_API int dm_next_sql_select(int handle, DmRecord *record);       /* 0: next row placed */
DM_API void dm_close_sql_select(int handle);
DM_API int dm_fetch_record(const char *select, DmRecord *record);  /* nonzero: row placed */

/* One value of a row handed out by dm_drain_sql_select. */
typedef struct DmValue {
    uint8_t type;     /* the slot's DmFieldType; dmNone: SQL NULL */
    int32_t integer;  /* dmInt */
    double real;      /* dmFloat, dmDateTime */
    const char *text; /* dmText: UTF-8 of `bytes` bytes, not terminated */
    int32_t bytes;
} DmValue;

/* Receives one row: a value per slot, in slot order, valid only during the call. */
typedef void (*DmRowReceiver)(void *context, const DmValue *values, int count);

/* Hands the row the record holds and every further row of an open select to `receiver`,
   without placing them into the record: the way to read a select whole.  The values are
   those dm_next_sql_select would place.  The record keeps what it held.
   1: the select ran to its end; -1: a failure (dm_last_error), after the rows before it. */
DM_API int dm_drain_sql_select(int handle, DmRowReceiver receiver, void *context);
DM_API void dm_free_record(DmRecord *record);
/* The declared width in characters of text column `slot` of an open select (VARCHAR(40)
   gives 40, the same for every row, whatever the first row holds); a text column without a
   declared width gives a width no stored text reaches; 0 for other columns. */
DM_API int dm_select_text_width(int handle, int slot);

DM_API int dm_put_record(PutMode mode, DmRecord *record);
DM_API int dm_gen_id(void); /* 0 and dm_last_error set on failure */

DM_API int dm_start_transaction(void);
DM_API int dm_commit_transaction(void);
DM_API int dm_rollback_transaction(void);
DM_API int dm_in_transaction(void);

DM_API int dm_read_blob(const char *file, int blob_id); /* -1 failure, 0 none, >0 bytes */
DM_API int dm_write_blob(const char *file, int blob_id, int reserved);
DM_API int dm_blob_file_ok(const char *file);

/* Both run on a closed database (the one last opened) and ask through the chooser.
   0 with an empty dm_last_error: the user cancelled; 0 with a text: a failure. */
DM_API int dm_backup_database(const char *app_exe, void *parent, int mode);
DM_API int dm_restore_database(const char *app_exe, void *parent, int mode);
/* Whether the last dm_restore_database got as far as replacing the database (after every
   check of the chosen copy passed); a restore refused before leaves the database as it was. */
DM_API int dm_restore_began_replacing(void);
/* After a successful dm_backup_database: the file written; after a successful
   dm_restore_database: the copy brought back.  Empty otherwise. */
DM_API const char *dm_last_copy_file(void);
/* After a successful dm_restore_database: where the replaced data were kept. */
DM_API const char *dm_last_safety_copy(void);

/* What lies at a path: 0 nothing, 1 a Tallyra database, 2 a file that is no usable Tallyra
   database (empty, foreign, damaged, unreadable), with the reason in dm_last_error. */
DM_API int dm_database_file_state(const char *path);

/* Creates a new database file with the base schema (refuses an existing file).  The file
   is built under a temporary name beside it and appears under its own name only complete,
   so an interrupted creation never leaves a half-made database behind. */
DM_API int dm_create_database(const char *path);

#ifdef __cplusplus
}
#endif
