#include "masterdata/ui/frpicture.h"

#include "data/db_api.h"
#include "data/messages.h"
#include "data/picture_box.h"
#include "data/record_writer.h"
#include "masterdata/ui/fimage.h"
#include "widgets/image_list16.h"
#include "widgets/picture_print.h"
#include "widgets/picture_view.h"
#include "widgets/system_dialogs.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString picture_filter = QStringLiteral("obrázky (*.jpg)|*.jpg");
const int help_read_failure = 9002;

const int image_open = 13;
const int image_zoom = 10;
const int image_save = 6;

} // namespace

Tfr_picture::Tfr_picture(const QString &delete_question, QWidget *parent)
    : QGroupBox(QStringLiteral("Fotografie"), parent), m_delete_question(delete_question)
{
    setObjectName(QStringLiteral("gbPicture"));
    m_view = new TPictureView(this);
    m_view->setObjectName(QStringLiteral("imgPicture"));
    auto button = [this](const char *name, const QString &hint, int image,
                         void (Tfr_picture::*slot)()) {
        auto *tool = new QToolButton(this);
        tool->setObjectName(QLatin1String(name));
        tool->setIcon(ImageList16::icon(image));
        tool->setToolTip(hint);
        tool->setAutoRaise(true);
        connect(tool, &QToolButton::clicked, this, slot);
        return tool;
    };
    m_load = button("btnPictureLoad", QStringLiteral("načti obrázek ze souboru..."), image_open,
                    &Tfr_picture::load_from_file);
    m_delete = button("btnPictureDelete", QStringLiteral("vymazat obrázek"), ImageList16::cross,
                      &Tfr_picture::delete_picture);
    m_show = button("btnPictureShow", QStringLiteral("zobrazit v plné velikosti"), image_zoom,
                    &Tfr_picture::show_full_size);
    m_print = button("btnPicturePrint", QStringLiteral("vytisknout obrázek"), ImageList16::printer,
                     &Tfr_picture::print);
    m_save = button("btnPictureSave", QStringLiteral("uložit obrázek na disk"), image_save,
                    &Tfr_picture::save_to_file);
    connect(m_view, &TPictureView::clicked, this, [this] {
        if (m_show->isEnabled())
            show_full_size();
    });
    connect(m_view->box(), &PictureBox::changed, this, &Tfr_picture::update_commands);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    for (QToolButton *tool : {m_load, m_delete, m_show, m_print, m_save})
        buttons->addWidget(tool);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_view, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
    update_commands();
}

void Tfr_picture::set_owner(int recid, const QString &name)
{
    m_owner = recid;
    m_name = name;
    clear();
}

void Tfr_picture::load()
{
    clear();
    if (dbAPI && m_owner != 0)
        dbAPI->read_picture(m_owner, m_view->box());
}

void Tfr_picture::clear()
{
    m_view->box()->clear();
    update_commands();
}

bool Tfr_picture::is_empty() const
{
    return m_view->box()->is_empty();
}

void Tfr_picture::update_commands()
{
    m_load->setEnabled(m_owner != 0);
    const bool picture = m_owner != 0 && !is_empty();
    m_delete->setEnabled(picture);
    m_show->setEnabled(picture);
    m_print->setEnabled(picture);
    m_save->setEnabled(picture);
    m_view->setToolTip(picture ? QStringLiteral("kliknutím zvětšíte na plnou velikost")
                               : QString());
}

// What is stored decides what is shown: a picture the database refused is not left in the
// view as if it were the record's.
void Tfr_picture::load_from_file()
{
    if (!dbAPI || m_owner == 0)
        return;
    FileDialogRequest request;
    request.filter = picture_filter;
    request.default_suffix = QStringLiteral("jpg");
    const QString file = choose_file(window(), request);
    if (file.isEmpty() || !dbAPI->blob_file_ok(file))
        return;
    const QImage picture(file, "JPEG");
    if (picture.isNull()) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Soubor %1 nelze přečíst jako obrázek JPEG.").arg(file),
                     mbIconWarning, false, help_read_failure);
        return;
    }
    dbAPI->fit_picture(picture, m_view->box());
    if (!dbAPI->write_picture(m_owner, m_view->box()))
        load();
    update_commands();
}

void Tfr_picture::delete_picture()
{
    if (!dbAPI || m_owner == 0)
        return;
    if (show_message(QStringLiteral("Pozor!"), m_delete_question,
                     mbYesNo | mbDefaultNo | mbIconWarning, false, 0) != mrYes)
        return;
    RecordWriter record(*dbAPI, QStringLiteral("BLOBDATA"), m_owner);
    if (record.put(pmDelete))
        clear();
}

void Tfr_picture::show_full_size()
{
    show_picture(*m_view->box(), m_name);
}

void Tfr_picture::print()
{
    print_picture(*m_view->box(), m_name);
}

void Tfr_picture::save_to_file()
{
    if (is_empty())
        return;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filter = picture_filter;
    request.default_suffix = QStringLiteral("jpg");
    const QString file = choose_file(window(), request);
    if (file.isEmpty() || m_view->box()->picture().save(file, "JPEG", 90))
        return;
    show_message(QStringLiteral("Chyba"),
                 QStringLiteral("Obrázek nelze uložit do souboru %1.").arg(file), mbIconWarning,
                 false, help_read_failure);
}
