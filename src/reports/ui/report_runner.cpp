#include "reports/ui/report_runner.h"

#include "data/db_api.h"
#include "data/messages.h"
#include "engine/report_error.h"
#include "reports/document_lists.h"
#include "reports/report_preparation.h"
#include "reports/summary_report.h"
#include "reports/table_layout.h"
#include "reports/ui/fpreview.h"

#include <exception>
#include <memory>

namespace {

const QString print_error_caption = QStringLiteral("Chyba tisku!");

// A preview with the firm's rows open and the template loaded.
std::unique_ptr<Tfpreview> create_preview(const QString &caption, const QString &template_name)
{
    auto preview = std::make_unique<Tfpreview>();
    preview->report().open_conf_address();
    preview->setWindowTitle(caption);
    load_report_template(preview->report().report(), template_name);
    return preview;
}

void show_preview(Tfpreview &preview)
{
    preview.prepare_report();
    preview.exec();
}

TMemTable *select_owned(Tfpreview &preview, const QString &name, const QString &select)
{
    if (!dbAPI)
        return nullptr;
    TMemTable *set = dbAPI->select_sql(name, select);
    preview.report().take_set(set);
    return set;
}

// The rest of a report of one record set that the runner filled: the title, the footer, the
// preparation step with the set, the sources; then the preview.
void show_set_report(Tfpreview &preview, TMemTable *set, const TReportPrepare &prepare)
{
    Report &report = preview.report().report();
    write_report_text(report, QStringLiteral("report_title"), preview.windowTitle());
    write_report_footer(report);
    load_rich_text(report, false);
    if (prepare) {
        QString where;
        prepare(report, set, where);
        write_where_sql(report, where);
    }
    preview.report().register_conf_address();
    preview.report().register_set(set);
    show_preview(preview);
}

} // namespace

void guarded_print(const std::function<void()> &print)
{
    try {
        print();
    } catch (const ReportError &error) {
        show_message(print_error_caption, error.message(), mbIconError);
    } catch (const std::exception &error) {
        show_message(print_error_caption, QString::fromLocal8Bit(error.what()), mbIconError);
    }
}

void run_report(const QString &caption, const QString &template_name,
                const std::vector<TMemTable *> &sets, const TReportPrepare &prepare,
                bool load_document_text)
{
    const std::unique_ptr<Tfpreview> preview =
        create_preview(QStringLiteral("   ") + caption, template_name);
    Report &report = preview->report().report();
    write_report_text(report, QStringLiteral("report_title"), preview->windowTitle());
    write_report_footer(report);
    preview->report().register_conf_address();
    for (TMemTable *set : sets)
        preview->report().register_set(set);
    load_rich_text(report, load_document_text);
    if (prepare) {
        QString condition;
        prepare(report, sets.empty() ? nullptr : sets.front(), condition);
        write_where_sql(report, condition);
    }
    show_preview(*preview);
}

void run_document_list(int doc_type, const TReportPrepare &prepare)
{
    guarded_print([&] {
        const std::unique_ptr<Tfpreview> preview = create_preview(QString(), QStringLiteral("doc_list"));
        Report &report = preview->report().report();
        report.set_tag(doc_type);
        QString condition;
        if (prepare)
            prepare(report, nullptr, condition);
        preview->setWindowTitle(document_list_caption(doc_type));
        TMemTable *set = select_owned(*preview, QStringLiteral("repo_VIEW_DOC1"),
                                      document_list_select(doc_type, condition));
        show_set_report(*preview, set, prepare);
    });
}

void run_table_print(const QString &caption, const QString &set_name, const QString &select)
{
    guarded_print([&] {
        const std::unique_ptr<Tfpreview> preview =
            create_preview(QStringLiteral("   ") + caption, QStringLiteral("view"));
        Report &report = preview->report().report();
        // Named as the table, the set carries the label file's captions for its columns.
        TMemTable *set = select_owned(*preview, set_name, select);
        if (set)
            set->name = set_name;
        write_report_footer(report);
        load_rich_text(report, false);
        preview->report().register_conf_address();
        preview->report().register_set(set);
        if (set)
            build_table_layout(report, *set, preview->windowTitle());
        show_preview(*preview);
    });
}

void run_sql_report(const QString &caption, const QString &template_name, const QString &select,
                    const TReportPrepare &prepare)
{
    guarded_print([&] {
        const std::unique_ptr<Tfpreview> preview =
            create_preview(QStringLiteral("   ") + caption, template_name);
        Report &report = preview->report().report();
        QString addition;
        if (prepare)
            prepare(report, nullptr, addition);
        TMemTable *set = select_owned(*preview, QStringLiteral("repo_DATA"),
                                      prepare ? select + QLatin1Char(' ') + addition : select);
        show_set_report(*preview, set, prepare);
    });
}

void run_summary()
{
    guarded_print([] {
        const std::unique_ptr<Tfpreview> preview = create_preview(
            QStringLiteral("   Součty, mezisoučty, celkové stavy."), QStringLiteral("summary"));
        Report &report = preview->report().report();
        std::vector<TMemTable *> sets;
        for (const SummarySet &summary : summary_sets())
            sets.push_back(select_owned(*preview, summary.name, summary.select));
        write_summary_sums(report, sets.front());
        write_report_footer(report);
        load_rich_text(report, false);
        preview->report().register_conf_address();
        for (TMemTable *set : sets)
            preview->report().register_set(set);
        show_preview(*preview);
    });
}
