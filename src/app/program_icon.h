#pragma once
// The program's own icon: a ledger with a "T", drawn at the sizes the desktop asks for.

#include <QIcon>

QIcon program_icon();
