#include "app/company_flag.h"

#include "data/db_api.h"

bool company_flag(const QString &column)
{
    if (!dbAPI)
        return false;
    TMemTable *set =
        dbAPI->select_sql(QStringLiteral("X"), QStringLiteral("SELECT * FROM CONF_ADDRESS"));
    bool flag = false;
    if (set && !set->is_empty()) {
        if (const TField *field = set->find_field(column))
            flag = field->as_string() == QLatin1String("T");
    }
    dbAPI->free_set(set);
    return flag;
}
