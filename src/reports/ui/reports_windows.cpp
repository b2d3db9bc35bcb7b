#include "reports/ui/reports_windows.h"

#include "masterdata/ui/flist.h"
#include "masterdata/ui/frpro.h"
#include "reports/ui/document_prints.h"
#include "reports/ui/list_reports.h"
#include "reports/ui/report_runner.h"
#include "taxrecords/ui/fte.h"
#include "widgets/command_registry.h"

void register_reports_windows()
{
    shell_services().run_summary = run_summary;
    print_table_hook() = print_table;
    product_prints().item = print_catalogue_item;
    shell_services().print_document = print_document;
    tax_records_prints().document = print_document;
    tax_records_prints().voucher = [](int entry, bool income) {
        if (income)
            print_income_voucher(entry);
        else
            print_expense_voucher(entry);
    };
}
