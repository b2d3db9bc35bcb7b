#include "reports/ui/reports_windows.h"

#include "masterdata/ui/flist.h"
#include "reports/ui/list_reports.h"
#include "reports/ui/report_runner.h"
#include "widgets/command_registry.h"

void register_reports_windows()
{
    shell_services().run_summary = run_summary;
    print_table_hook() = print_table;
}
