#pragma once
// Today's date as the program sees it; tests fix it so that nothing depends on the clock.

#include <QDate>

QDate today();
void set_fixed_today(const QDate &date); // an invalid date returns to the system clock
