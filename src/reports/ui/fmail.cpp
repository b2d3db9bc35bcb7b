#include "reports/ui/fmail.h"

#include "data/db_api.h"
#include "data/messages.h"
#include "masterdata/ui/fselector.h"
#include "reports/mail_content.h"
#include "widgets/appearance.h"
#include "widgets/dbgrid.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/grid_columns.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/window_host.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {

const QStringList send_type_lines = {
    QStringLiteral("Sestavu pouze připravit, odešlete ji později."),
    QStringLiteral("Odeslat jako přílohu pomocí poštovního klienta."),
    QStringLiteral("Odeslat jako přílohu pomocí Vašeho poštovního programu."),
    QStringLiteral("Odeslat pomocí vlastní poštovní služby."),
};

const QString contacts_select = QStringLiteral(
    "SELECT RECID, CONTACT_NAME, CONTACT FROM PAR_CONTACT where contact like '%@%' "
    "ORDER BY CONTACT_NAME");

constexpr int max_password_length = 32;
constexpr int margin = 10;
constexpr int label_width = 170;
constexpr int field_left = margin + label_width;
constexpr int field_width = 260;
constexpr int row_height = 22;
constexpr int row_step = 26;
constexpr int window_width = field_left + field_width + margin + 24;
constexpr int button_width = 88;
constexpr int button_height = 26;

// A column of the recipient picker in its own font and colour.
class ColumnStyle : public QStyledItemDelegate {
public:
    ColumnStyle(bool bold, QColor color, QObject *parent)
        : QStyledItemDelegate(parent), m_bold(bold), m_color(color)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font.setBold(m_bold);
        option->palette.setColor(QPalette::Text, m_color);
        option->palette.setColor(QPalette::HighlightedText, m_color);
    }

private:
    bool m_bold;
    QColor m_color;
};

QLabel *label(const QString &text, QWidget *parent, int top, int left = margin,
              int width = label_width - 6)
{
    auto *caption = new QLabel(text, parent);
    caption->setGeometry(left, top, width, row_height);
    return caption;
}

QLineEdit *masked(QLineEdit *edit)
{
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

} // namespace

TfmMail::TfmMail(QWidget *parent, bool offer_isdoc)
    : QDialog(parent ? parent : window_host().host_window(), fixed_dialog_flags)
{
    setObjectName(QStringLiteral("fmMail"));
    setWindowTitle(QStringLiteral("Odeslat tiskovou sestavu"));
    set_help_topic(this, help_topic);
    create_controls(offer_isdoc);
    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
    show_settings(read_mail_settings());
    validate();
}

void TfmMail::create_controls(bool offer_isdoc)
{
    int top = margin;
    label(QStringLiteral("Příjemce (e-mail):"), this, top);
    recpt = new QLineEdit(this);
    recpt->setObjectName(QStringLiteral("recpt"));
    recpt->setGeometry(field_left, top, field_width, row_height);
    recpt_button = new QToolButton(this);
    recpt_button->setObjectName(QStringLiteral("recpt_button"));
    recpt_button->setArrowType(Qt::DownArrow);
    recpt_button->setToolTip(QStringLiteral("Vybrat e-mail příjemce z kontaktů partnerů"));
    recpt_button->setGeometry(field_left + field_width + 2, top, row_height, row_height);
    connect(recpt_button, &QToolButton::clicked, this, &TfmMail::pick_recipient);
    top += row_step + 6;

    label(QStringLiteral("Ochrana posílané tiskové sestavy:"), this, top, margin, 300)
        ->setStyleSheet(QStringLiteral("font-weight: bold"));
    top += row_step;
    disable_print = new QCheckBox(
        QStringLiteral("Příjemce nebude moci sestavu vytisknout (pouze pro prohlížení)"), this);
    disable_print->setObjectName(QStringLiteral("disable_print"));
    disable_print->setGeometry(margin + 10, top, window_width - 2 * margin, row_height);
    top += row_step;
    password_check = new QCheckBox(QStringLiteral("Sestava bude chráněná heslem"), this);
    password_check->setObjectName(QStringLiteral("password_check"));
    password_check->setGeometry(margin + 10, top, window_width - 2 * margin, row_height);
    top += row_step;
    label(QStringLiteral("Heslo:"), this, top, margin + 30, label_width - 36);
    Edit1 = masked(new QLineEdit(this));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(field_left, top, 150, row_height);
    top += row_step;
    label(QStringLiteral("Heslo znovu:"), this, top, margin + 30, label_width - 36);
    Edit2 = masked(new QLineEdit(this));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(field_left, top, 150, row_height);
    label(QStringLiteral("pro kontrolu"), this, top, field_left + 156, 100);
    for (QLineEdit *edit : {Edit1, Edit2})
        edit->setMaxLength(max_password_length);
    top += row_step + 6;

    if (offer_isdoc) {
        label(QStringLiteral("Přílohy:"), this, top, margin, 300)
            ->setStyleSheet(QStringLiteral("font-weight: bold"));
        top += row_step;
        attach_isdoc = new QCheckBox(
            QStringLiteral("Přiložit i elektronickou fakturu ve formátu ISDOC"), this);
        attach_isdoc->setObjectName(QStringLiteral("attach_isdoc"));
        attach_isdoc->setGeometry(margin + 10, top, window_width - 2 * margin, row_height);
        top += row_step + 6;
    }

    label(QStringLiteral("Způsob odeslání:"), this, top, margin, 300)
        ->setStyleSheet(QStringLiteral("font-weight: bold"));
    top += row_step;
    act = new QListWidget(this);
    act->setObjectName(QStringLiteral("act"));
    act->addItems(send_type_lines);
    act->setGeometry(margin + 10, top, window_width - 2 * margin - 10, 4 * 20 + 6);
    top += 4 * 20 + 6 + 8;

    smtp_title = label(QStringLiteral("Parametry poštovního serveru:"), this, top, margin, 300);
    smtp_title->setStyleSheet(QStringLiteral("font-weight: bold"));
    top += row_step;
    smtp_panel = new QWidget(this);
    smtp_panel->setObjectName(QStringLiteral("smtp_panel"));
    int row = 0;
    label(QStringLiteral("Odchozí pošta (SMTP):"), smtp_panel, row);
    esmtp = new QLineEdit(smtp_panel);
    esmtp->setObjectName(QStringLiteral("esmtp"));
    esmtp->setGeometry(field_left, row, field_width - 110, row_height);
    auto *port_label = new QLabel(QStringLiteral("Port:"), smtp_panel);
    port_label->setGeometry(field_left + field_width - 104, row, 34, row_height);
    eport = new QSpinBox(smtp_panel);
    eport->setObjectName(QStringLiteral("eport"));
    eport->setRange(mapi::min_port, mapi::max_port);
    eport->setValue(mapi::default_port);
    eport->setGeometry(field_left + field_width - 68, row, 68, row_height);
    row += row_step;
    smtp_check = new QCheckBox(QStringLiteral("Server odchozí pošty požaduje ověření"), smtp_panel);
    smtp_check->setObjectName(QStringLiteral("smtp_check"));
    smtp_check->setGeometry(margin + 10, row, window_width - 2 * margin, row_height);
    row += row_step;
    label(QStringLiteral("Přihlašovací jméno:"), smtp_panel, row, margin + 30, label_width - 36);
    euser = new QLineEdit(smtp_panel);
    euser->setObjectName(QStringLiteral("euser"));
    euser->setGeometry(field_left, row, field_width, row_height);
    row += row_step;
    label(QStringLiteral("Heslo:"), smtp_panel, row, margin + 30, label_width - 36);
    epsw = masked(new QLineEdit(smtp_panel));
    epsw->setObjectName(QStringLiteral("epsw"));
    epsw->setGeometry(field_left, row, field_width, row_height);
    row += row_step;
    smtp_unencrypted = new QCheckBox(
        QStringLiteral("Přihlásit se i k serveru, který nenabízí šifrované spojení"), smtp_panel);
    smtp_unencrypted->setObjectName(QStringLiteral("smtp_unencrypted"));
    smtp_unencrypted->setToolTip(
        QStringLiteral("Heslo pak může putovat sítí nešifrované. Zapněte jen u serveru, "
                       "kterému věříte."));
    smtp_unencrypted->setGeometry(margin + 30, row, window_width - 2 * margin - 20, row_height);
    row += row_step;
    smtp_panel->setGeometry(0, top, window_width, row);

    help_button = command_button(QStringLiteral("Nápověda"), "btnHelp", this);
    BitBtn1 = command_button(QStringLiteral("OK"), "BitBtn1", this);
    cancel_button = command_button(QStringLiteral("Storno"), "btnCancel", this);
    BitBtn1->setDefault(true);
    BitBtn1->setEnabled(false);
    connect(help_button, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(BitBtn1, &QPushButton::clicked, this, &TfmMail::BitBtn1Click);
    connect(cancel_button, &QPushButton::clicked, this, &TfmMail::reject);

    for (QLineEdit *edit : {recpt, Edit1, Edit2, esmtp, euser, epsw})
        connect(edit, &QLineEdit::textChanged, this, &TfmMail::validate);
    for (QCheckBox *box : {disable_print, password_check, smtp_check, smtp_unencrypted})
        connect(box, &QCheckBox::clicked, this, &TfmMail::validate);
    connect(eport, &QSpinBox::valueChanged, this, &TfmMail::validate);
    connect(act, &QListWidget::currentRowChanged, this, &TfmMail::validate);
}

void TfmMail::show_settings(const MailSettings &settings)
{
    recpt->setText(settings.recipient);
    disable_print->setChecked(settings.no_print);
    password_check->setChecked(settings.password_check);
    Edit1->setText(settings.password);
    Edit2->setText(settings.password);
    act->setCurrentRow(settings.send_type);
    smtp_check->setChecked(settings.smtp_check);
    esmtp->setText(settings.smtp_server);
    eport->setValue(settings.smtp_port);
    euser->setText(settings.smtp_username);
    epsw->setText(settings.smtp_password);
    smtp_unencrypted->setChecked(settings.smtp_unencrypted);
}

MailSettings TfmMail::settings() const
{
    MailSettings settings;
    settings.recipient = recpt->text();
    settings.no_print = disable_print->isChecked();
    settings.password_check = password_check->isChecked();
    settings.password = Edit1->text();
    settings.send_type = std::max(act->currentRow(), 0);
    settings.smtp_check = smtp_check->isChecked();
    settings.smtp_server = esmtp->text();
    settings.smtp_port = eport->value();
    settings.smtp_username = euser->text();
    settings.smtp_password = epsw->text();
    settings.smtp_unencrypted = smtp_unencrypted->isChecked();
    return settings;
}

void TfmMail::enable_fields()
{
    for (QLineEdit *edit : {Edit1, Edit2})
        edit->setEnabled(password_check->isChecked());
    for (QWidget *field : {static_cast<QWidget *>(euser), static_cast<QWidget *>(epsw),
                           static_cast<QWidget *>(smtp_unencrypted)})
        field->setEnabled(smtp_check->isChecked());
}

// Below the server's parameters while they are shown, otherwise where they would begin, so
// that no empty space stands in the dialog.
void TfmMail::place_buttons(int top)
{
    help_button->setGeometry(margin, top, button_width, button_height);
    cancel_button->setGeometry(window_width - margin - button_width, top, button_width,
                               button_height);
    BitBtn1->setGeometry(cancel_button->x() - 6 - button_width, top, button_width, button_height);
    setFixedSize(window_width, top + button_height + margin);
}

void TfmMail::validate()
{
    const MailSettings current = settings();
    const bool smtp = uses_smtp_server(current.send_type);
    smtp_title->setVisible(smtp);
    smtp_panel->setVisible(smtp);
    place_buttons(smtp ? smtp_panel->geometry().bottom() + 6 : smtp_title->y());
    enable_fields();
    BitBtn1->setEnabled(mail_settings_complete(current));
}

void TfmMail::BitBtn1Click()
{
    if (password_check->isChecked() && Edit1->text() != Edit2->text()) {
        show_message(QStringLiteral("Pozor!"),
                     QStringLiteral("Zadaná hesla si neodpovídají, zadejte je znovu."),
                     mbIconWarning);
        Edit1->setFocus();
        return;
    }
    confirm_mail_settings(settings());
    accept();
}

void TfmMail::pick_recipient()
{
    const SelectorGridHook style_columns = [](TDBGrid &grid) {
        hide_column(grid, QStringLiteral("RECID"));
        const int name = find_column(grid, QStringLiteral("CONTACT_NAME"));
        const int contact = find_column(grid, QStringLiteral("CONTACT"));
        if (name >= 0) {
            grid.setColumnWidth(name, 148);
            grid.setItemDelegateForColumn(name, new ColumnStyle(true, Qt::black, &grid));
        }
        if (contact >= 0)
            grid.setItemDelegateForColumn(contact, new ColumnStyle(false, Qt::blue, &grid));
    };
    const int recid = select_row(recpt, help_topic, 0, style_columns, 0, recpt->width(),
                                 QStringLiteral("Vyberte e-mail příjemce z tohoto seznamu."),
                                 contacts_select, QStringLiteral("PAR_CONTACT"));
    if (recid != 0 && dbAPI)
        recpt->setText(dbAPI->lookup_text(recid, QStringLiteral("PAR_CONTACT"),
                                          QStringLiteral("CONTACT")));
}

void TfmMail::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    window_host().set_status_hint(windowTitle() +
                                  QStringLiteral("|OK - odeslat, Storno - zpět bez odeslání."));
    recpt->setFocus();
}

bool ask_mail_settings(Tmail_content &content, QWidget *parent)
{
    TfmMail dialog(parent, content.isdoc_document != 0);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    fill_mail_content(dialog.settings(), content);
    content.attach_isdoc = dialog.attach_isdoc && dialog.attach_isdoc->isChecked();
    return confirmed;
}
