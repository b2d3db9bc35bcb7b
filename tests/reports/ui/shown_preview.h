#pragma once
// What a print showed in its preview, read by a test before the preview is closed.

#include "engine/display_list.h"
#include "support/modal_driver.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>

class Tfpreview;

struct ShownPreview {
    bool opened = false;
    QString caption;
    QStringList lines; // every text line of every page, in page order
    int pages = 0;
    QChar separator; // the decimal separator while the preview was open
    PreparedReport prepared;
    // The document whose ISDOC file the preview's sending would offer.
    int isdoc_document = 0;
};

// Reads the next preview into `shown`, lets `in_preview` act on it and closes it; another
// modal window is left alone.
ModalDriver::Action preview_reader(ShownPreview &shown,
                                   std::function<void(Tfpreview &)> in_preview = {});
