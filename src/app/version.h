#pragma once
// The program's version and the version text of the guide, the about box and --version.

#include <QString>

QString program_version();
// "Verze 2.12 (db1)": the program's version and the data-manager library's.
QString version_text();
