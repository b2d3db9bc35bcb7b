#include "reports/ui/shown_preview.h"

#include "reports/page_texts.h"
#include "reports/report_state.h"
#include "reports/ui/fpreview.h"
#include "text/format_settings.h"

ModalDriver::Action preview_reader(ShownPreview &shown, std::function<void(Tfpreview &)> in_preview)
{
    return [&shown, in_preview = std::move(in_preview)](QWidget *modal) {
        auto *preview = qobject_cast<Tfpreview *>(modal);
        if (!preview)
            return;
        shown.opened = true;
        shown.caption = preview->windowTitle();
        shown.lines = page_texts(preview->prepared());
        shown.pages = int(preview->prepared().pages.size());
        shown.prepared = preview->prepared();
        shown.separator = decimal_separator();
        shown.isdoc_document = document_in_preview;
        if (in_preview)
            in_preview(*preview);
        preview->close();
    };
}
