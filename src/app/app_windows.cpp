#include "app/app_windows.h"

#include "app/fabout.h"
#include "app/flangselect.h"
#include "app/fsetup.h"
#include "app/fsetupscr.h"
#include "app/fwizard.h"
#include "widgets/command_registry.h"

void register_app_windows()
{
    ShellServices &services = shell_services();
    services.open_settings = open_settings;
    services.open_logo_stamp = open_logo_stamp;
    services.show_guide = show_guide;
    services.show_about = show_about;
    services.choose_invoice_language = choose_invoice_language;
}
