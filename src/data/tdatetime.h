#pragma once
// Dates travel as days since 30 Dec 1899 (a double, the fraction being the time of day),
// the way the data-manager library passes them.

#include <QDate>
#include <QDateTime>

QDate date_from_days(double days);
QDateTime datetime_from_days(double days);
double days_from_date(const QDate &date);
double days_from_datetime(const QDateTime &datetime);
