#include "app/database_chooser.h"

#include "app/help.h"
#include "app/localize.h"
#include "widgets/appearance.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cstring>

namespace {

const int start_topic = 101;
const QString database_filter = QStringLiteral("Databáze Tallyra (*.db);;Všechny soubory (*)");

QLabel *wrapped_label(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString choose_new_database(QWidget *parent, const QString &proposal)
{
    for (;;) {
        TfmNewDatabase question(proposal, parent);
        switch (question.exec()) {
        case TfmNewDatabase::CreateProposed:
            return proposal;
        case TfmNewDatabase::ChooseExisting: {
            const QString chosen =
                QFileDialog::getOpenFileName(parent, QStringLiteral("Vyberte databázi Tallyra"),
                                             QFileInfo(proposal).absolutePath(), database_filter);
            if (!chosen.isEmpty())
                return chosen;
            break;
        }
        default:
            return {};
        }
    }
}

QString choose_backup_target(QWidget *parent, const QString &proposal)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Kam uložit zálohu dat?"), proposal,
                                        database_filter);
}

QString choose_restore_source(QWidget *parent, const QString &proposal)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Vyberte zálohu, která se obnoví"),
                                        proposal, database_filter);
}

} // namespace

TfmNewDatabase::TfmNewDatabase(const QString &proposal, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmNewDatabase"));
    setWindowTitle(QStringLiteral("Databáze programu Tallyra"));
    const bool exists = QFileInfo::exists(proposal);

    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(side, side));

    auto *texts = new QVBoxLayout;
    texts->addWidget(wrapped_label(
        exists ? QStringLiteral("Program Tallyra zatím není připojen k databázi. V obvyklém "
                                "umístění už databáze Tallyra je:")
               : QStringLiteral("Program Tallyra zatím není připojen k žádné databázi. Můžete "
                                "vytvořit novou, prázdnou databázi v tomto umístění:"),
        this));
    auto *path = wrapped_label(QDir::toNativeSeparators(proposal), this);
    path->setObjectName(QStringLiteral("lblPath"));
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = path->font();
    bold.setBold(true);
    path->setFont(bold);
    texts->addWidget(path);
    texts->addWidget(wrapped_label(
        QStringLiteral("Nebo vyberte existující databázi Tallyra, například zálohu přenesenou "
                       "z jiného počítače."),
        this));

    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    m_create = new QPushButton(exists ? QStringLiteral("Použít tuto databázi")
                                      : QStringLiteral("Vytvořit novou databázi"),
                               this);
    m_create->setObjectName(QStringLiteral("btnCreate"));
    m_choose = new QPushButton(QStringLiteral("Vybrat existující…"), this);
    m_choose->setObjectName(QStringLiteral("btnChoose"));
    m_cancel = new QPushButton(QStringLiteral("Zrušit"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_create->setDefault(true);
    connect(m_create, &QPushButton::clicked, this, [this] { done(CreateProposed); });
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

int choose_database_file(DmChoice kind, void *parent, const char *proposal, char *out, int out_size)
{
    auto *window = static_cast<QWidget *>(parent);
    const QString proposed = QString::fromUtf8(proposal ? proposal : "");
    QString chosen;
    switch (kind) {
    case dmChooseNewDatabase:
        chosen = choose_new_database(window, proposed);
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
