#pragma once
// One report as the application handles it: a template loaded from a file, edited by name
// (texts, pictures, rich texts, band sources, added text objects), data sources registered
// by name, an integer tag, and its preparation into pages.

#include "engine/data_source.h"
#include "engine/display_list.h"
#include "engine/preparer.h"
#include "engine/report_template.h"

#include <QHash>
#include <QString>

class Report {
public:
    // Replaces the template; a ReportError when the file does not load.
    void load(const QString &file);
    void set_template(ReportTemplate report) { m_template = std::move(report); }
    ReportTemplate &report_template() { return m_template; }
    const ReportTemplate &report_template() const { return m_template; }

    // The first object or band of that name on any page, nullptr when there is none.
    ReportObject *find_object(const QString &name);
    ReportBand *find_band(const QString &name);
    // False when there is no such band.
    bool set_band_source(const QString &band, const QString &source);

    // A text object at a position on a template page (report units, page coordinates),
    // given to the band that lies there.  nullptr when no band of the page lies at `rect`'s
    // top or there is no such page.  The object is the band's: the pointer serves until the
    // next object is added to that band.
    ReportObject *add_text_object(int page, const QRectF &rect, const FontStyle &font,
                                  const QStringList &text);

    // The source is the caller's and must outlive the preparations that use it.
    void register_source(const QString &name, ReportDataSource *source);
    const SourceMap &sources() const { return m_sources; }

    int tag() const { return m_tag; }
    void set_tag(int tag) { m_tag = tag; }

    PreparedReport prepare(const PrepareOptions &options) const;

private:
    ReportTemplate m_template;
    SourceMap m_sources;
    int m_tag = 0;
};
