#include "reports/ui/reports_windows.h"

#include "masterdata/ui/flist.h"
#include "reports/ui/document_prints.h"
#include "reports/ui/list_reports.h"
#include "reports/ui/report_runner.h"
#include "widgets/command_registry.h"

void register_reports_windows()
{
    shell_services().run_summary = run_summary;
    print_table_hook() = print_table;
    shell_services().print_document = print_document;
    shell_services().print_catalogue_item = print_catalogue_item;
    shell_services().print_voucher = [](int entry, bool income) {
        if (income)
            print_income_voucher(entry);
        else
            print_expense_voucher(entry);
    };
}
