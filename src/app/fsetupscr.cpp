#include "app/fsetupscr.h"

#include "data/company_records.h"

#include "data/db_api.h"
#include "data/messages.h"
#include "data/picture_box.h"
#include "widgets/appearance.h"
#include "widgets/command_registry.h"
#include "widgets/dialog_parts.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/picture_view.h"
#include "widgets/system_dialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString firm_table = QStringLiteral("CONF_ADDRESS");
const int firm_recid = 1;
const int window_topic = 1046;
const int help_read_failure = 9002;

} // namespace

TfmSetupScr::TfmSetupScr(QWidget *parent) : QDialog(parent, fixed_dialog_flags)
{
    setObjectName(QStringLiteral("fmSetupScr"));
    setWindowTitle(QStringLiteral("Obrázek LOGO a razítko"));
    set_help_topic(this, window_topic);

    m_logo = {QStringLiteral("LOGO_ID"), QSize(330, 100),
              QStringLiteral("Vyberte obrázek pro LOGO."),
              QStringLiteral("Opravdu vymazat obrázek loga?")};
    m_stamp = {QStringLiteral("STAMP_ID"), QSize(180, 100),
               QStringLiteral("Vyberte obrázek razítka."),
               QStringLiteral("Opravdu vymazat obrázek razítka?")};
    QWidget *logo_area =
        create_area(m_logo, QStringLiteral("Logo v záhlaví vydané faktury"), "Logo");
    QWidget *stamp_area =
        create_area(m_stamp, QStringLiteral("Obrázek razítka do zápatí vydané faktury"), "Stamp");

    QPushButton *close = command_button(QStringLiteral("Zavřít"), QStringLiteral("btnClose"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(logo_area);
    layout->addWidget(stamp_area);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    load_picture(m_logo);
    load_picture(m_stamp);
}

QWidget *TfmSetupScr::create_area(PictureSlot &slot, const QString &title, const char *name)
{
    auto *group = new QGroupBox(title, this);
    slot.view = new TPictureView(group);
    slot.view->setObjectName(QStringLiteral("img") + QLatin1String(name));
    slot.view->setFrameShape(QFrame::StyledPanel);
    slot.view->setFrameShadow(QFrame::Sunken);
    const int frame = 2 * slot.view->frameWidth();
    slot.view->setFixedSize(slot.area + QSize(frame, frame));
    QPushButton *insert = command_button(QStringLiteral("Vložit"),
                                         QStringLiteral("btnInsert") + QLatin1String(name), group);
    QPushButton *remove = command_button(QStringLiteral("Vymazat"),
                                         QStringLiteral("btnDelete") + QLatin1String(name), group);
    connect(insert, &QPushButton::clicked, this, [this, &slot] { insert_picture(slot); });
    connect(remove, &QPushButton::clicked, this, [this, &slot] { delete_picture(slot); });
    auto *commands = new QVBoxLayout;
    commands->addWidget(insert);
    commands->addWidget(remove);
    commands->addStretch(1);
    auto *layout = new QHBoxLayout(group);
    layout->addWidget(slot.view);
    layout->addLayout(commands);
    layout->addStretch(1);
    return group;
}

void TfmSetupScr::load_picture(PictureSlot &slot)
{
    if (!dbAPI)
        return;
    const int id = dbAPI->lookup_int(firm_recid, firm_table, slot.column);
    if (id != 0 && dbAPI->read_picture(id, slot.view->box()) > 0)
        show_in_area(slot, slot.view->box()->picture());
}

void TfmSetupScr::show_in_area(PictureSlot &slot, const QImage &picture)
{
    if (picture.isNull())
        slot.view->box()->clear();
    else
        slot.view->box()->show(picture, slot.area);
}

// The id is linked to the firm's row before the picture is stored under it, so a stored
// picture is never left without a link.  Whatever fails, the area shows what is stored.
void TfmSetupScr::insert_picture(PictureSlot &slot)
{
    if (!dbAPI)
        return;
    FileDialogRequest request;
    request.title = slot.dialog_title;
    request.filter = QStringLiteral("Obrázky (*.jpg)|*.jpg");
    const QString file = choose_file(this, request);
    if (file.isEmpty() || !dbAPI->blob_file_ok(file))
        return;
    const QImage picture(file, "JPEG");
    if (picture.isNull()) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Soubor ") + file +
                         QStringLiteral(" nelze přečíst jako obrázek JPEG."),
                     mbIconWarning, false, help_read_failure);
        return;
    }
    PictureBox *box = slot.view->box();
    const QImage previous = box->picture();
    show_in_area(slot, picture);
    show_in_area(slot, store_firm_picture(*dbAPI, slot.column, box) ? box->picture() : previous);
}

// The blob stays stored; only the firm's link to it goes.
void TfmSetupScr::delete_picture(PictureSlot &slot)
{
    if (!dbAPI)
        return;
    if (show_message(QStringLiteral("Výmaz"), slot.delete_question, mbIconQuestion | mbYesNo, false,
                     window_topic) != mrYes)
        return;
    if (unlink_firm_picture(*dbAPI, slot.column))
        slot.view->box()->clear();
}

void open_logo_stamp()
{
    TfmSetupScr window(owner_window());
    window.exec();
}
