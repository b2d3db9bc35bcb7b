#include "app/database_chooser.h"

#include "widgets/help.h"
#include "widgets/localize.h"
#include "data/messages.h"
#include "widgets/appearance.h"
#include "widgets/system_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cstring>

namespace {

const int start_topic = 101;
const QString database_filter =
    QStringLiteral("Databáze Tallyra (*.db)|*.db|Všechny soubory (*.*)|*.*");

QString choose_database(QWidget *parent, FileDialogRequest::Mode mode, const QString &title,
                        const QString &start)
{
    FileDialogRequest request;
    request.mode = mode;
    request.title = title;
    request.filter = database_filter;
    request.default_suffix = QStringLiteral("db");
    request.start = start;
    return choose_file(parent, request);
}

// A database on a removable disk goes when the disk goes, and one in a backup folder is a
// copy that the next backup or restore may treat as such: working on either loses data.
bool lies_apart_from_the_data(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const char *root : {"/media/", "/run/media/", "/mnt/"}) {
        if (absolute.startsWith(QLatin1String(root)))
            return true;
    }
    return QFileInfo(absolute).absolutePath().split(u'/').contains(QLatin1String("zalohy"));
}

// Copies the database (and a journal beside it) into `folder` under a name not yet taken.
QString copy_into(const QString &database, const QString &folder)
{
    if (!QDir().mkpath(folder))
        return {};
    const QFileInfo source(database);
    QString target = QDir(folder).filePath(source.fileName());
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = QDir(folder).filePath(source.completeBaseName() + u'-' + QString::number(n) +
                                       u'.' + source.suffix());
    if (!QFile::copy(database, target))
        return {};
    if (QFileInfo::exists(database + QStringLiteral("-wal")) &&
        !QFile::copy(database + QStringLiteral("-wal"), target + QStringLiteral("-wal"))) {
        QFile::remove(target);
        return {};
    }
    return target;
}

// The existing database the user picked, or a copy of it in the data folder when the user
// prefers that for a file that lies apart from the data; empty to ask again.
QString take_existing(QWidget *parent, const QString &chosen, const QString &data_folder)
{
    if (!lies_apart_from_the_data(chosen))
        return chosen;
    const int answer = show_message(
        QStringLiteral("Databáze programu Tallyra"),
        QStringLiteral("Soubor %1 leží na výměnném disku nebo ve složce se zálohami.\r\n\r\n"
                       "Zkopírovat ho nejdříve do složky dat (%2) a pracovat s kopií? Volbou "
                       "„Ne“ budete pracovat přímo s vybraným souborem.")
            .arg(QDir::toNativeSeparators(chosen), QDir::toNativeSeparators(data_folder)),
        mbIconQuestion | mbYesNo, false, start_topic);
    if (answer != mrYes)
        return chosen;
    const QString copy = copy_into(chosen, data_folder);
    if (copy.isEmpty())
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Soubor %1 nelze zkopírovat do složky %2.")
                         .arg(QDir::toNativeSeparators(chosen),
                              QDir::toNativeSeparators(data_folder)),
                     mbIconError, false, start_topic);
    return copy;
}

QLabel *wrapped_label(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Renames the file (and its journals) to the first free "<name>.odlozeny[-n]", so nothing
// the user may still need is deleted.
bool set_aside(const QString &path, QString *moved_to)
{
    QString target = path + QStringLiteral(".odlozeny");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".odlozeny-") + QString::number(n);
    if (!QFile::rename(path, target))
        return false;
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        QFile::rename(path + QLatin1String(suffix), target + QLatin1String(suffix));
    *moved_to = target;
    return true;
}

QString choose_new_database(QWidget *parent, const QString &proposal, const QString &detail)
{
    for (;;) {
        TfmNewDatabase question(proposal, detail, parent);
        switch (question.exec()) {
        case TfmNewDatabase::CreateProposed:
            return proposal;
        case TfmNewDatabase::SetAsideAndCreate: {
            QString moved_to;
            if (set_aside(proposal, &moved_to))
                return proposal;
            show_message(QStringLiteral("Chyba"),
                         QStringLiteral("Soubor %1 nelze odložit stranou.")
                             .arg(QDir::toNativeSeparators(proposal)),
                         mbIconError, false, start_topic);
            break;
        }
        case TfmNewDatabase::ChooseExisting: {
            const QString chosen =
                choose_database(parent, FileDialogRequest::Mode::Open,
                                QStringLiteral("Vyberte databázi Tallyra"),
                                QFileInfo(proposal).absolutePath());
            if (chosen.isEmpty())
                break;
            if (dm_database_file_state(chosen.toUtf8().constData()) == 1) {
                const QString taken =
                    take_existing(parent, chosen, QFileInfo(proposal).absolutePath());
                if (!taken.isEmpty())
                    return taken;
                break;
            }
            show_message(QStringLiteral("Chyba"), QString::fromUtf8(dm_last_error()),
                         mbIconError, false, start_topic);
            break;
        }
        default:
            return {};
        }
    }
}

QString choose_backup_target(QWidget *parent, const QString &proposal)
{
    return choose_database(parent, FileDialogRequest::Mode::Save,
                           QStringLiteral("Kam uložit zálohu dat?"), proposal);
}

QString choose_restore_source(QWidget *parent, const QString &proposal)
{
    return choose_database(parent, FileDialogRequest::Mode::Open,
                           QStringLiteral("Vyberte zálohu, která se obnoví"), proposal);
}

} // namespace

TfmNewDatabase::TfmNewDatabase(const QString &proposal, const QString &detail, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fmNewDatabase"));
    setWindowTitle(QStringLiteral("Databáze programu Tallyra"));
    const int state = dm_database_file_state(proposal.toUtf8().constData());
    const QString unusable_reason = state == 2 ? QString::fromUtf8(dm_last_error()) : QString();
    const bool empty_file = state == 2 && QFileInfo(proposal).size() == 0;

    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(detail.isEmpty() ? QStyle::SP_MessageBoxQuestion
                                                        : QStyle::SP_MessageBoxWarning,
                                       nullptr, this)
                        .pixmap(side, side));

    auto *texts = new QVBoxLayout;
    if (!detail.isEmpty()) {
        auto *failure = wrapped_label(detail, this);
        failure->setObjectName(QStringLiteral("lblFailure"));
        texts->addWidget(failure);
    }
    QString lead;
    switch (state) {
    case 0:
        lead = detail.isEmpty() ? QStringLiteral("Program Tallyra zatím není připojen k žádné "
                                                 "databázi. Můžete vytvořit novou, prázdnou "
                                                 "databázi v tomto umístění:")
                                : QStringLiteral("Můžete vytvořit novou, prázdnou databázi v "
                                                 "obvyklém umístění:");
        break;
    case 1:
        lead = detail.isEmpty() ? QStringLiteral("Program Tallyra zatím není připojen k "
                                                 "databázi. V obvyklém umístění už databáze "
                                                 "Tallyra je:")
                                : QStringLiteral("V obvyklém umístění je databáze Tallyra:");
        break;
    default:
        lead = QStringLiteral("V obvyklém umístění leží soubor, který není použitelnou databází "
                              "Tallyra:");
        break;
    }
    texts->addWidget(wrapped_label(lead, this));
    auto *path = wrapped_label(QDir::toNativeSeparators(proposal), this);
    path->setObjectName(QStringLiteral("lblPath"));
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = path->font();
    bold.setBold(true);
    path->setFont(bold);
    texts->addWidget(path);
    if (state == 2) {
        auto *reason = wrapped_label(
            unusable_reason + QStringLiteral("\nSoubor lze odložit stranou (přejmenovat na %1) "
                                             "a na jeho místě vytvořit novou databázi.")
                                  .arg(QFileInfo(proposal).fileName() +
                                       QStringLiteral(".odlozeny")),
            this);
        reason->setObjectName(QStringLiteral("lblReason"));
        texts->addWidget(reason);
    }
    texts->addWidget(wrapped_label(
        QStringLiteral("Nebo vyberte existující databázi Tallyra, například zálohu přenesenou "
                       "z jiného počítače."),
        this));

    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    const Answer create_answer = state == 2 ? SetAsideAndCreate : CreateProposed;
    m_create = new QPushButton(state == 1   ? QStringLiteral("Použít tuto databázi")
                               : state == 2 ? QStringLiteral("Odložit soubor a vytvořit novou "
                                                             "databázi")
                                            : QStringLiteral("Vytvořit novou databázi"),
                               this);
    m_create->setObjectName(QStringLiteral("btnCreate"));
    m_choose = new QPushButton(QStringLiteral("Vybrat existující…"), this);
    m_choose->setObjectName(QStringLiteral("btnChoose"));
    m_cancel = new QPushButton(QStringLiteral("Zrušit"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    // After a failed opening, or beside a file that may hold data, Enter must not lead the
    // user into an empty database as if the data were gone.
    const bool create_by_default = detail.isEmpty() && (state != 2 || empty_file);
    QPushButton *default_button = create_by_default ? m_create : m_choose;
    default_button->setDefault(true);
    // The first button would take the focus, and with it the Enter key.
    default_button->setFocus();
    connect(m_create, &QPushButton::clicked, this, [this, create_answer] { done(create_answer); });
    connect(m_choose, &QPushButton::clicked, this, [this] { done(ChooseExisting); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_create);
    buttons->addWidget(m_choose);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    set_help_topic(this, start_topic);
    install_help_key(this);
    localize_component(this);
    apply_dialog_color(*this);
}

int choose_database_file(DmChoice kind, void *parent, const char *proposal, const char *detail,
                         char *out, int out_size)
{
    auto *window = static_cast<QWidget *>(parent);
    const QString proposed = QString::fromUtf8(proposal ? proposal : "");
    QString chosen;
    switch (kind) {
    case dmChooseNewDatabase:
        chosen = choose_new_database(window, proposed, QString::fromUtf8(detail ? detail : ""));
        break;
    case dmChooseBackupTarget:
        chosen = choose_backup_target(window, proposed);
        break;
    case dmChooseRestoreSource:
        chosen = choose_restore_source(window, proposed);
        break;
    }
    const QByteArray path = chosen.toUtf8();
    if (path.isEmpty() || path.size() + 1 > out_size)
        return 0;
    std::memcpy(out, path.constData(), size_t(path.size()) + 1);
    return 1;
}

void install_database_chooser()
{
    dm_set_chooser(choose_database_file);
}
