#pragma once
// Replays prepared pages on a QPainter: the preview widget, a printer, a PDF writer, an image.
// Nothing is measured or wrapped again; only the glyphs are drawn at the device's resolution.

#include "engine/display_list.h"

#include <functional>

class QPagedPaintDevice;
class QPainter;

// Paints the page with the painter's coordinates in report units: the caller scales the
// painter by the device's resolution / 90 (and its zoom) and translates it to the page.
void paint_page(QPainter &painter, const PreparedReport &report, const PreparedPage &page);

// The page as an image of `dpi` dots per inch on white.
QImage render_page(const PreparedReport &report, int page, double dpi);

// Every page from `first` to `last` (0-based, inclusive) on its own device page, each sized
// as prepared and without margins.  Printers and PDF writers are such devices.  `painted`
// hears of each page once it has gone to the device.  False when the device refused to
// start (a printer that is not ready).
bool paint_report(const PreparedReport &report, QPagedPaintDevice &device, int first, int last,
                  const std::function<void(int page)> &painted = {});
