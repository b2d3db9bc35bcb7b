#include "app/app_windows.h"
#include "app/application.h"
#include "app/command_line.h"
#include "calc/ui/calc_windows.h"
#include "documents/ui/documents_windows.h"
#include "masterdata/ui/masterdata_windows.h"
#include "reports/ui/reports_windows.h"
#include "taxrecords/ui/taxrecords_windows.h"

int main(int argc, char *argv[])
{
    if (is_command_line(argc, argv))
        return run_command_line(argc, argv);
    register_masterdata_windows();
    register_calc_windows();
    register_reports_windows();
    register_taxrecords_windows();
    register_documents_windows();
    register_app_windows();
    return run_application(argc, argv);
}
