#include "widgets/system_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <utility>

namespace {

FileDialogHook &file_hook()
{
    static FileDialogHook hook;
    return hook;
}

FontDialogHook &font_hook()
{
    static FontDialogHook hook;
    return hook;
}

ColorDialogHook &color_hook()
{
    static ColorDialogHook hook;
    return hook;
}

PrintDialogHook &print_hook()
{
    static PrintDialogHook hook;
    return hook;
}

QString show_file_dialog(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent, request.title);
    if (!request.start.isEmpty()) {
        const QFileInfo start(request.start);
        dialog.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
        if (!start.isDir())
            dialog.selectFile(start.fileName());
    }
    const bool save = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(qt_name_filters(request.filter));
    dialog.setDefaultSuffix(request.default_suffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

bool show_font_dialog(QFont &font, QWidget *parent)
{
    bool confirmed = false;
    const QFont chosen = QFontDialog::getFont(&confirmed, font, parent, QStringLiteral("Písmo"));
    if (confirmed)
        font = chosen;
    return confirmed;
}

bool show_color_dialog(QColor &color, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(color, parent, QStringLiteral("Barva"));
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool show_print_dialog(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

FileDialogHook set_file_dialog_hook(FileDialogHook hook)
{
    return std::exchange(file_hook(), std::move(hook));
}

QString choose_file(QWidget *parent, const FileDialogRequest &request)
{
    return file_hook() ? file_hook()(parent, request) : show_file_dialog(parent, request);
}

QStringList qt_name_filters(const QString &filter)
{
    QStringList filters;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // Qt reads the patterns from the parentheses, so the description's own go.
        const qsizetype open = description.lastIndexOf(u'(');
        if (open > 0 && description.trimmed().endsWith(u')'))
            description.truncate(open);
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << description.trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters;
}

FontDialogHook set_font_dialog_hook(FontDialogHook hook)
{
    return std::exchange(font_hook(), std::move(hook));
}

bool choose_font(QFont &font, QWidget *parent)
{
    return font_hook() ? font_hook()(font, parent) : show_font_dialog(font, parent);
}

ColorDialogHook set_color_dialog_hook(ColorDialogHook hook)
{
    return std::exchange(color_hook(), std::move(hook));
}

bool choose_color(QColor &color, QWidget *parent)
{
    return color_hook() ? color_hook()(color, parent) : show_color_dialog(color, parent);
}

PrintDialogHook set_print_dialog_hook(PrintDialogHook hook)
{
    return std::exchange(print_hook(), std::move(hook));
}

bool choose_printer(QPrinter &printer, QWidget *parent)
{
    return print_hook() ? print_hook()(printer, parent) : show_print_dialog(printer, parent);
}
