#pragma once
// What the settings pages tell the user after storing something.

#include <QString>

// The text under "Nastavení" with the information icon.
void report_settings_saved(const QString &text);

// The settings file could not be written: the reason follows the program's explanation.
void report_settings_not_saved(const QString &reason);
