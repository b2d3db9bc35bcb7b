#include "reports/preview_report.h"

#include "data/clock.h"
#include "data/db_api.h"

PreviewReport::~PreviewReport()
{
    if (!dbAPI)
        return;
    for (TMemTable *set : m_owned_sets)
        dbAPI->free_set(set);
}

void PreviewReport::open_conf_address()
{
    if (m_conf || !dbAPI)
        return;
    m_conf = dbAPI->select_sql(QStringLiteral("repo_CONF"),
                               QStringLiteral("SELECT * FROM CONF_ADDRESS"));
    take_set(m_conf);
}

void PreviewReport::register_conf_address()
{
    // Templates name the firm's rows either way: [frCONF."X"] or [dbAPI.repo_CONF."X"].
    register_set(QStringLiteral("frCONF"), m_conf);
    register_set(m_conf);
}

void PreviewReport::register_set(TMemTable *set)
{
    if (set)
        register_set(data_source_name(set->name), set);
}

void PreviewReport::register_set(const QString &source_name, TMemTable *set)
{
    if (!set)
        return;
    m_sources.push_back(std::make_unique<MemTableDataSource>(*set));
    m_report.register_source(source_name, m_sources.back().get());
}

void PreviewReport::take_set(TMemTable *set)
{
    if (set)
        m_owned_sets.push_back(set);
}

PreparedReport PreviewReport::prepare() const
{
    PrepareOptions options;
    options.today = today();
    return m_report.prepare(options);
}
