#include "masterdata/ui/masterdata_windows.h"

#include "masterdata/ui/flist.h"
#include "widgets/command_registry.h"

void register_masterdata_windows()
{
    shell_services().open_code_list = open_code_list;
}
