#pragma once
// The Czech captions and number formats the program ships with; a label file beside the
// program takes them for the keys it lacks, so a new installation shows Czech captions
// and the user can still edit every one of them.

#include <QString>

// Empty text when the defaults have no such key.
QString default_label(const QString &section, const QString &key);
QString default_float_format(const QString &column);
