#pragma once
// What the settings window writes for the firm: its row of CONF_ADDRESS, the number series
// of GENER_NO and the links of its logo and stamp.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class PictureBox;
class TdbAPI;
class TMemTable;

// The firm's row (RECID 1) from the columns of its record set; `stored` tells whether the
// row exists already.  False when the database refused (reported) or cannot be written.
bool save_firm_row(TdbAPI &api, const TMemTable &firm, const QStringList &columns, bool stored);

struct SeriesValues {
    int series = 0;
    int counter = 0;
    int step = 1;
    std::optional<QString> prefix; // the journal series' prefix
    bool stored = false;           // the row exists already
};

// Every series, in one transaction: counters half old and half new could propose numbers
// the user never set.
bool save_series(TdbAPI &api, const std::vector<SeriesValues> &rows);

// The picture in the box becomes the firm's logo or stamp (`column` LOGO_ID or STAMP_ID).
// A firm without one gets a new id linked to its row; link and picture are stored together
// or not at all.
bool store_firm_picture(TdbAPI &api, const QString &column, PictureBox *box);
// The firm's link to its logo or stamp goes; the stored picture stays.
bool unlink_firm_picture(TdbAPI &api, const QString &column);
