// A journal of 10 000 rows by category (a group header and subtotal per category, about 250
// pages): preparing it, exporting it to PDF through libHaru, and, as the floor, painting the
// same prepared pages through Qt's QPdfWriter in the same run; then preparing twice the rows.
// Each step runs once per report in the program, so it is timed directly, a few times over,
// and the median printed.

#include "engine/export_filter.h"
#include "engine/memory_data_source.h"
#include "engine/painter_replay.h"
#include "engine/pdf_export_filter.h"
#include "engine/report.h"
#include "text/format_settings.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <vector>

namespace {

constexpr int categories = 20;

MemoryDataSource journal(int rows)
{
    MemoryDataSource source(
        {"GRP_ID", "GRP_NAME", "DATE_D", "DOC_NO", "TEXT", "INCOME", "OUTCOME"});
    const QStringList names = {
        "Tržby za zboží",  "Tržby za služby",    "Nákup materiálu", "Nájemné",
        "Energie",         "Telefon a internet", "Cestovné",        "Pojištění",
        "Opravy a údržba", "Kancelářské potřeby"};
    for (int i = 0; i < rows; ++i) {
        const int category = i * categories / rows + 1;
        const bool income = i % 3 == 0;
        const double amount = 100.0 + (i * 7919 % 100000) / 10.0;
        // Every other text is long enough to wrap onto a second line.
        const QString text = i % 2 == 1 ? QStringLiteral("Úhrada faktury č. %1 za dodávku podle "
                                                         "objednávky, včetně dopravy a balného, "
                                                         "dle smlouvy o dílo")
                                              .arg(i)
                                        : QStringLiteral("Úhrada faktury č. %1").arg(i);
        source.add_row(
            {category, names[(category - 1) % names.size()],
             QDate(2026, 1, 1).addDays(i * 365 / rows), QStringLiteral("V%1").arg(2026000 + i),
             text, income ? QVariant(amount) : QVariant(), income ? QVariant() : QVariant(amount)});
    }
    return source;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timed_ms(const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

double megabytes(double bytes)
{
    return bytes / (1024.0 * 1024.0);
}

// The heap the program holds, as glibc counts it.
double heap_in_use()
{
    return double(mallinfo2().uordblks);
}

double status_kilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toDouble();
    return 0;
}

// Lets VmHWM start again from the present resident size.
void reset_peak_resident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The preparation alone: the pages are freed after the clock has stopped.
double prepare_ms(Report &report, size_t &pages)
{
    PreparedReport prepared;
    const double ms = timed_ms([&] { prepared = report.prepare({QDate(2026, 12, 31)}); });
    pages = prepared.pages.size();
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    DecimalPointGuard decimal_point;
    set_short_date_format(QStringLiteral("d.M.yyyy"));
    QTemporaryDir dir;
    const int runs = 5;

    Report report;
    report.load(QStringLiteral(TALLYRA_ENGINE_TEMPLATES "/journal.frf"));
    MemoryDataSource rows = journal(10000);
    report.register_source(QStringLiteral("frrepo_TE"), &rows);

    const double heap_before = heap_in_use();
    const double resident_before = status_kilobytes("VmRSS:");
    reset_peak_resident();
    const PreparedReport pages = report.prepare({QDate(2026, 12, 31)});
    const double peak = status_kilobytes("VmHWM:") - resident_before;
    const double held = heap_in_use() - heap_before;

    // 10 000 and 20 000 rows by turns, so that a change in the machine's load falls on both.
    MemoryDataSource twice = journal(20000);
    std::vector<double> single_times, double_times;
    size_t single_pages = 0, double_pages = 0;
    for (int i = 0; i < runs; ++i) {
        report.register_source(QStringLiteral("frrepo_TE"), &rows);
        single_times.push_back(prepare_ms(report, single_pages));
        report.register_source(QStringLiteral("frrepo_TE"), &twice);
        double_times.push_back(prepare_ms(report, double_pages));
    }
    const double single_ms = median(single_times);
    const double double_ms = median(double_times);
    std::printf("prepare 10 000 rows: %.0f ms, %zu pages (median of %d)\n", single_ms, single_pages,
                runs);
    std::printf("prepared pages held: %.1f MB of heap, peak resident growth while preparing "
                "%.1f MB -> goal <= 50 MB\n",
                megabytes(held), peak / 1024.0);

    std::vector<double> haru_times, writer_times;
    qint64 haru_size = 0, writer_size = 0;
    for (int i = 0; i < runs; ++i) {
        QByteArray haru;
        haru_times.push_back(timed_ms([&] {
            QBuffer output(&haru);
            output.open(QIODevice::WriteOnly);
            TfrTNPDFExportFilter filter({{}, 20, dir.filePath(QStringLiteral("picture.jpg"))});
            replay(pages, filter, output);
        }));
        haru_size = haru.size();
        QByteArray written;
        writer_times.push_back(timed_ms([&] {
            QBuffer output(&written);
            output.open(QIODevice::WriteOnly);
            QPdfWriter writer(&output);
            paint_report(pages, writer, 0, int(pages.pages.size()) - 1);
        }));
        writer_size = written.size();
    }
    const double haru_ms = median(haru_times);
    // TALLYRA_BENCH_REPORT_OUT names a folder that keeps both PDFs for a look.
    if (const QString out = qEnvironmentVariable("TALLYRA_BENCH_REPORT_OUT"); !out.isEmpty()) {
        TfrTNPDFExportFilter filter({{}, 20, dir.filePath(QStringLiteral("picture.jpg"))});
        export_to_file(pages, filter, QDir(out).filePath(QStringLiteral("journal_libharu.pdf")));
        QPdfWriter writer(QDir(out).filePath(QStringLiteral("journal_qpdfwriter.pdf")));
        paint_report(pages, writer, 0, int(pages.pages.size()) - 1);
    }
    const double writer_ms = median(writer_times);
    std::printf("PDF through libHaru: %.0f ms, %.2f MB\n", haru_ms, megabytes(haru_size));
    std::printf("floor, the same pages painted through QPdfWriter: %.0f ms, %.2f MB\n", writer_ms,
                megabytes(writer_size));
    std::printf("libHaru / QPdfWriter time: %.2f -> goal <= 0.5\n", haru_ms / writer_ms);
    std::printf("libHaru / QPdfWriter size: %.2f -> goal <= 0.5\n",
                double(haru_size) / double(writer_size));

    std::printf("prepare 20 000 rows: %.0f ms, %zu pages (median of %d)\n", double_ms, double_pages,
                runs);
    std::printf("20 000 / 10 000 rows prepare time: %.2f -> goal <= 2.2\n", double_ms / single_ms);
    return 0;
}
