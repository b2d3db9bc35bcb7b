#include "app/setup_messages.h"

#include "data/messages.h"

namespace {

const int help_saved = 1045;
const int help_write_failure = 9002;

} // namespace

void report_settings_saved(const QString &text)
{
    show_message(QStringLiteral("Nastavení"), text, mbIconInformation, false, help_saved);
}

void report_settings_not_saved(const QString &reason)
{
    show_message(QStringLiteral("Chyba"),
                 QStringLiteral("Nastavení nelze uložit. Program je pravděpodobně spuštěn z disku, "
                                "na který nelze zapisovat!\r\n\r\n") +
                     reason,
                 mbIconWarning, false, help_write_failure);
}
