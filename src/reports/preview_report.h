#pragma once
// The report of one preview window and what belongs to it: the record sets it frees, the
// data sources it registered with the engine, and the firm's address rows (`repo_CONF`)
// that every report may print through the source "frCONF".

#include "engine/display_list.h"
#include "engine/report.h"
#include "reports/memtable_data_source.h"

#include <memory>
#include <vector>

class TMemTable;

class PreviewReport {
public:
    PreviewReport() = default;
    // Frees the sets it owns, also when the report never got prepared.
    ~PreviewReport();
    PreviewReport(const PreviewReport &) = delete;
    PreviewReport &operator=(const PreviewReport &) = delete;

    Report &report() { return m_report; }
    const Report &report() const { return m_report; }

    // Fills `repo_CONF` from "SELECT * FROM CONF_ADDRESS"; the set is owned.  Without a data
    // module, or when the select is refused (the data layer says so), there is none.
    void open_conf_address();
    TMemTable *conf_address() const { return m_conf; }
    // The source "frCONF", and "frrepo_CONF" as every set is named, bound to `repo_CONF`
    // when it is open.
    void register_conf_address();

    // Registers the set under "fr" + its name; a null set registers nothing, so a band of
    // a select that failed stays empty.  The caller keeps the set unless it hands it over.
    void register_set(TMemTable *set);
    void register_set(const QString &source_name, TMemTable *set);
    // The set is freed with this report.
    void take_set(TMemTable *set);

    // A ReportError when the report cannot be prepared.  [DATE] is the program's today.
    PreparedReport prepare() const;

private:
    Report m_report;
    std::vector<std::unique_ptr<MemTableDataSource>> m_sources;
    std::vector<TMemTable *> m_owned_sets;
    TMemTable *m_conf = nullptr;
};
