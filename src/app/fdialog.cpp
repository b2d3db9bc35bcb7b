#include "app/fdialog.h"

#include "data/messages.h"
#include "platform/shell/shell.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/window_host.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString support_address = QStringLiteral("podpora@tallyra.cz");
const QString fatal_title = QStringLiteral("Závažná chyba.");
const QString fatal_closing = QStringLiteral(
    "PROGRAM BUDE UKONČEN! Doporučuji odeslat dotaz e-mailem a kontaktovat výrobce.");

const int text_width = 360;

QString shown_text(const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(u'\r', u'\n');
    return lines;
}

QStyle::StandardPixmap standard_icon(TfmDialog::IconKind kind)
{
    switch (kind) {
    case TfmDialog::IconKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case TfmDialog::IconKind::Question:
        return QStyle::SP_MessageBoxQuestion;
    case TfmDialog::IconKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case TfmDialog::IconKind::Information:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}

QPushButton *make_button(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(88);
    return button;
}

} // namespace

TfmDialog::TfmDialog(QWidget *parent) : QDialog(parent, fixed_dialog_flags)
{
    setObjectName(QStringLiteral("fmDialog"));
    build();
    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
}

void TfmDialog::build()
{
    m_icon_label = new QLabel(this);
    m_icon_label->setObjectName(QStringLiteral("imgIcon"));
    m_icon_label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setAutoFillBackground(true);
    m_text_label = new QLabel(frame);
    m_text_label->setObjectName(QStringLiteral("lblText"));
    m_text_label->setTextFormat(Qt::PlainText);
    m_text_label->setWordWrap(true);
    m_text_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text_label->setFixedWidth(text_width);
    QFont bold = m_text_label->font();
    bold.setBold(true);
    m_text_label->setFont(bold);
    auto *frame_layout = new QVBoxLayout(frame);
    frame_layout->setContentsMargins(10, 10, 10, 10);
    frame_layout->addWidget(m_text_label);

    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(m_icon_label, 0, Qt::AlignTop);
    top->addWidget(frame, 1);

    m_mail_link = new QLabel(this);
    m_mail_link->setObjectName(QStringLiteral("lblMail"));
    m_mail_link->setTextFormat(Qt::RichText);
    m_mail_link->setText(
        QStringLiteral("<a href=\"mail\" style=\"color:#0000ff; text-decoration:underline\">"
                       "Odeslat dotaz mailem</a>"));
    m_mail_link->setCursor(Qt::PointingHandCursor);
    m_mail_link->setToolTip(QStringLiteral("Napsat e-mail výrobci s textem této zprávy."));
    connect(m_mail_link, &QLabel::linkActivated, this, &TfmDialog::send_mail);

    m_help = make_button(QStringLiteral("Nápověda"), "btnHelp", this);
    m_help->setAutoDefault(false);
    connect(m_help, &QPushButton::clicked, this, [this] { show_help(this); });
    m_yes = make_button(QStringLiteral("Ano"), "btnYes", this);
    m_no = make_button(QStringLiteral("Ne"), "btnNo", this);
    m_ok = make_button(QStringLiteral("OK"), "btnOk", this);
    connect(m_yes, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(m_no, &QPushButton::clicked, this, [this] { done(mrNo); });
    connect(m_ok, &QPushButton::clicked, this, [this] { done(mrOk); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_help);
    buttons->addStretch(1);
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    buttons->addWidget(m_ok);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(m_mail_link, 0, Qt::AlignRight);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TfmDialog::IconKind TfmDialog::icon_for_style(int style)
{
    if ((style & mbIconWarning) == mbIconWarning)
        return IconKind::Warning;
    if (style & mbIconQuestion)
        return IconKind::Question;
    if (style & mbIconError)
        return IconKind::Error;
    return IconKind::Information;
}

void TfmDialog::set_message(const QString &title, const QString &text, int style_bits, bool fatal,
                            int help_topic)
{
    set_help_topic(this, help_topic);
    QString caption = title;
    m_text = text;
    if (fatal) {
        m_text = text + QStringLiteral("\r\n\r\n") + translate_text(this, fatal_closing);
        caption = translate_text(this, fatal_title);
        style_bits = mbIconError;
    }
    setWindowTitle(QStringLiteral("    ") + caption);
    m_text_label->setText(shown_text(m_text));

    m_icon = icon_for_style(style_bits);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_icon_label->setPixmap(
        style()->standardIcon(standard_icon(m_icon), nullptr, this).pixmap(side, side));

    const bool yes_no = (style_bits & mbYesNo) != 0;
    m_yes->setVisible(yes_no);
    m_no->setVisible(yes_no);
    m_ok->setVisible(!yes_no);
    QPushButton *preferred = !yes_no ? m_ok : (style_bits & mbDefaultNo) ? m_no : m_yes;
    for (QPushButton *button : {m_yes, m_no, m_ok})
        button->setDefault(button == preferred);
    preferred->setFocus();

    m_help->setVisible(window_host().host_window() != nullptr && help_topic != 0);
    adjustSize();
}

int TfmDialog::run()
{
    place();
    const int result = exec();
    return result == mrOk || result == mrYes || result == mrNo ? result : int(mrCancel);
}

void TfmDialog::place()
{
    const QWidget *anchor = window_host().host_window();
    const QRect area = anchor ? anchor->frameGeometry() : screen()->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

QString TfmDialog::mail_link() const
{
    const QString body = windowTitle() + QStringLiteral("\n\n") + shown_text(m_text);
    return support_address + QStringLiteral("?subject=Tallyra-error&body=") +
           QString::fromLatin1(QUrl::toPercentEncoding(body));
}

void TfmDialog::send_mail()
{
    open_url(skMail, mail_link());
}

void TfmDialog::keyPressEvent(QKeyEvent *event)
{
    const bool control_break = (event->key() == Qt::Key_Pause || event->key() == Qt::Key_Cancel) &&
                               (event->modifiers() & Qt::ControlModifier);
    if (control_break) {
        done(mrCancel);
        return;
    }
    QDialog::keyPressEvent(event);
}

int show_message_dialog(const QString &title, const QString &text, int style, bool fatal,
                        int help_topic)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = window_host().host_window();
    TfmDialog dialog(parent);
    dialog.set_message(title, text, style, fatal, help_topic);
    const int result = dialog.run();
    // show_message marks the program as ending once this returns; the main window then
    // closes.
    if (fatal) {
        if (QWidget *host = window_host().host_window())
            QTimer::singleShot(0, host, [] { window_host().check_program_ending(); });
    }
    return result;
}

void install_message_dialog()
{
    set_message_handler(show_message_dialog);
}
