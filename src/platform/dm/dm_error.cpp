#include "platform/dm/dm_error.h"
#include "platform/dm/dm.h"

namespace dm {
namespace {

std::string &error_text()
{
    static std::string text;
    return text;
}

} // namespace

const char *czech_sentence(int extended_code)
{
    switch (extended_code) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return "Záznam se stejnou hodnotou už existuje.";
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return "Záznam odkazuje na jiný záznam, který neexistuje, nebo na něj jiné záznamy "
               "odkazují.";
    case SQLITE_CONSTRAINT_NOTNULL:
        return "Chybí povinný údaj záznamu.";
    default:
        break;
    }
    switch (extended_code & 0xff) {
    case SQLITE_ERROR:
        return "Příkaz pro databázi je chybný.";
    case SQLITE_CORRUPT:
        return "Datový soubor je poškozený. Obnovte data ze zálohy příkazem "
               "\"Obnova dat ze zálohy\".";
    case SQLITE_NOTADB:
        return "Soubor není databáze.";
    case SQLITE_READONLY:
        return "Do datového souboru nelze zapisovat.";
    case SQLITE_CANTOPEN:
        return "Datový soubor nelze otevřít.";
    case SQLITE_BUSY:
        return "Databázi právě používá jiný program. Zkuste to prosím znovu.";
    case SQLITE_LOCKED:
        return "Databáze je zamčena jinou rozpracovanou operací.";
    case SQLITE_FULL:
        return "Na disku není dost místa.";
    case SQLITE_IOERR:
        return "Při čtení nebo zápisu na disk došlo k chybě.";
    case SQLITE_NOMEM:
        return "Nedostatek paměti.";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "K databázi chybí oprávnění.";
    case SQLITE_CONSTRAINT:
        return "Záznam porušuje pravidla databáze.";
    case SQLITE_TOOBIG:
        return "Údaj je pro databázi příliš velký.";
    case SQLITE_MISMATCH:
        return "Údaj nemá typ, který databáze očekává.";
    case SQLITE_INTERRUPT:
    case SQLITE_ABORT:
        return "Operace s databází byla přerušena.";
    case SQLITE_SCHEMA:
        return "Struktura databáze se mezitím změnila.";
    case SQLITE_PROTOCOL:
        return "Databázi se nepodařilo zamknout.";
    case SQLITE_RANGE:
        return "Příkaz pro databázi dostal chybný parametr.";
    default:
        return "V databázi došlo k chybě.";
    }
}

void clear_error()
{
    error_text().clear();
}

void set_error(std::string text)
{
    error_text() = std::move(text);
}

std::string sqlite_reason(sqlite3 *db)
{
    const int code = sqlite3_extended_errcode(db);
    const char *own = sqlite3_errmsg(db);
    // A trigger's refusal is the schema's own Czech sentence.
    if (code == SQLITE_CONSTRAINT_TRIGGER)
        return own;
    return std::string(czech_sentence(code)) + " (" + own + ")";
}

std::string sqlite_reason(int code)
{
    return std::string(czech_sentence(code)) + " (" + sqlite3_errstr(code) + ")";
}

void set_sqlite_error(sqlite3 *db)
{
    set_error(sqlite_reason(db));
}

const std::string &last_error()
{
    return error_text();
}

} // namespace dm

const char *dm_last_error(void)
{
    return dm::last_error().c_str();
}
