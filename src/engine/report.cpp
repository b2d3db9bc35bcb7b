#include "engine/report.h"

#include "engine/template_loader.h"

void Report::load(const QString &file)
{
    m_template = load_template(file);
}

ReportObject *Report::find_object(const QString &name)
{
    for (TemplatePage &page : m_template.pages)
        for (ReportBand &band : page.bands)
            for (ReportObject &object : band.objects)
                if (object.name == name)
                    return &object;
    return nullptr;
}

ReportBand *Report::find_band(const QString &name)
{
    for (TemplatePage &page : m_template.pages)
        for (ReportBand &band : page.bands)
            if (band.name == name)
                return &band;
    return nullptr;
}

bool Report::set_band_source(const QString &band, const QString &source)
{
    ReportBand *found = find_band(band);
    if (!found)
        return false;
    found->source = source;
    return true;
}

ReportObject *Report::add_text_object(int page, const QRectF &rect, const FontStyle &font,
                                      const QStringList &text)
{
    if (page < 0 || page >= int(m_template.pages.size()))
        return nullptr;
    TemplatePage &target = m_template.pages[size_t(page)];
    for (ReportBand &band : target.bands) {
        if (rect.top() < band.top || rect.top() >= band.top + band.height)
            continue;
        ReportObject object;
        object.rect = rect.translated(-target.margins.left(), -band.top);
        TextContent content;
        content.text = text;
        content.font = font;
        object.content = content;
        band.objects.push_back(std::move(object));
        return &band.objects.back();
    }
    return nullptr;
}

void Report::register_source(const QString &name, ReportDataSource *source)
{
    m_sources.insert(name, source);
}

PreparedReport Report::prepare(const PrepareOptions &options) const
{
    return prepare_report(m_template, m_sources, options);
}
