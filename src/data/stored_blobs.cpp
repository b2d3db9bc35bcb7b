// Rich texts and pictures stored with their records, moved through working files beside
// the executable: ".rtf" for texts, ".jpg" for pictures, ".bmp" for a picture the report
// engine prints.

#include "data/app_paths.h"
#include "data/db_api.h"
#include "data/messages.h"
#include "data/picture_box.h"
#include "data/rtf_reader.h"
#include "data/rtf_writer.h"

#include <QFile>
#include <QTextDocument>

namespace {

const int help_database_error = 9002;

QString working_file(const char *extension)
{
    const QString path = app_file_path(QString::fromLatin1(extension));
    QFile::remove(path);
    return path;
}

void refuse_on_read_only(const QString &what)
{
    show_message(QStringLiteral("Chyba"),
                 what + QStringLiteral(" nelze uložit. Datový soubor je na disku, na který nelze "
                                       "zapisovat!"),
                 mbIconWarning, false, help_database_error);
}

} // namespace

int TdbAPI::read_rtf(int id, QTextDocument *editor)
{
    const QString file = working_file(".rtf");
    const int result = dm_read_blob(file.toUtf8().constData(), id);
    if (result == -1) {
        report_db_error(false);
        return result;
    }
    if (result > 0 && editor) {
        QFile stored(file);
        if (stored.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = stored.readAll();
            // A text stored by another program may be plain text rather than RTF.
            if (!read_rtf_into(*editor, bytes))
                editor->setPlainText(QString::fromUtf8(bytes));
        }
        editor->setModified(false);
    }
    return result;
}

bool TdbAPI::write_rtf(int id, QTextDocument *editor)
{
    if (read_only) {
        refuse_on_read_only(QStringLiteral("Text"));
        return false;
    }
    const QString file = working_file(".rtf");
    if (editor && !editor->isEmpty()) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(rtf_from_document(*editor)) < 0) {
            report_db_error(false, QStringLiteral("Text nelze zapsat do souboru ") + file +
                                       QStringLiteral(": ") + out.errorString());
            return false;
        }
    }
    if (!dm_write_blob(file.toUtf8().constData(), id, 0)) {
        report_db_error(false);
        if (editor)
            editor->clear();
        return false;
    }
    return true;
}

int TdbAPI::read_picture(int id, PictureBox *control)
{
    const QString file = working_file(".jpg");
    const int result = dm_read_blob(file.toUtf8().constData(), id);
    if (result == -1) {
        report_db_error(false);
        return result;
    }
    if (result > 0) {
        const QImage picture(file, "JPEG");
        if (control) {
            fit_picture(picture, control);
        } else {
            const QString bitmap = working_file(".bmp");
            picture.save(bitmap, "BMP");
        }
    }
    return result;
}

bool TdbAPI::write_picture(int id, PictureBox *control)
{
    if (read_only) {
        refuse_on_read_only(QStringLiteral("Obrázek"));
        return false;
    }
    const QString file = working_file(".jpg");
    if (!control || control->is_empty() || !control->picture().save(file, "JPEG", 90)) {
        report_db_error(false, QStringLiteral("Obrázek nelze uložit do souboru ") + file + u'.');
        if (control)
            control->clear();
        return false;
    }
    fit_picture(control->picture(), control);
    if (!dm_write_blob(file.toUtf8().constData(), id, 0)) {
        report_db_error(false);
        control->clear();
        return false;
    }
    return true;
}

void TdbAPI::fit_picture(const QImage &picture, PictureBox *control)
{
    if (control)
        control->show(picture, fitted_picture_size(picture.size()));
}

bool TdbAPI::blob_file_ok(const QString &file_name)
{
    if (dm_blob_file_ok(file_name.toUtf8().constData()))
        return true;
    report_db_error(false);
    return false;
}
