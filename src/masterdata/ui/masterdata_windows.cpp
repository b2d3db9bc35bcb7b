#include "masterdata/ui/masterdata_windows.h"

#include "masterdata/ui/flist.h"
#include "masterdata/ui/fpar.h"
#include "widgets/command_registry.h"

void register_masterdata_windows()
{
    register_partners_window();
    shell_services().open_code_list = open_code_list;
}
