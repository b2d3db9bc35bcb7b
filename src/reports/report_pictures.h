#pragma once
// Stored pictures (the firm's logo and stamp, a product's or a partner's picture) into the
// picture objects of a report, through the bitmap working file beside the executable.

#include <QString>

class Report;
class TdbAPI;

// A picture that cannot be read, or a template without the object, leaves the object as
// it is.
void load_report_picture(TdbAPI &api, Report &report, int picture_key, const QString &object);

// The logo and the stamp of the firm's first address row; a key of 0 loads nothing.
void load_firm_logo(TdbAPI &api, Report &report);
void load_firm_stamp(TdbAPI &api, Report &report);
