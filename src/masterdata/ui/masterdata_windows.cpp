#include "masterdata/ui/masterdata_windows.h"

#include "data/clock.h"
#include "masterdata/cnb_download.h"
#include "masterdata/ui/fcnbrates.h"
#include "masterdata/ui/flist.h"
#include "masterdata/ui/fpar.h"
#include "masterdata/ui/frpro.h"
#include "widgets/command_registry.h"

namespace {

const int image_coins = 0;

} // namespace

void register_masterdata_windows()
{
    register_partners_window();
    shell_services().open_code_list = open_code_list;
    register_book_window(QStringLiteral("PRO"), [](int record_id) { return new TfPro(record_id); });
    add_table_command({QStringLiteral("CURR_LIST"), QStringLiteral("Načíst kurzy ČNB"), image_coins,
                       [](Tfm_list &list) {
                           if (import_cnb_rates(&list, cnb_daily_rates_url(today())))
                               list.reload();
                       }});
}
