#include "calc/ui/calc_windows.h"

#include "calc/ui/fhistory.h"
#include "calc/ui/fusercalc.h"
#include "widgets/command_registry.h"

void register_calc_windows()
{
    register_book_window(QStringLiteral("USER_CALC"), [](int) { return new TfUserCalc; });
    shell_services().open_history = [](const QString &key) -> QWidget * {
        return open_history(key.toInt());
    };
}
