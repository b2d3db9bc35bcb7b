#pragma once
// A yes/no option of the user's own firm, kept in the firm's row (CONF_ADDRESS, RECID 1).

#include <QString>

// True only when the column exists, the firm's row is there and the column holds "T".
bool company_flag(const QString &column);
