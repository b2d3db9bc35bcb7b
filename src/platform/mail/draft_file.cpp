#include "platform/mail/draft_file.h"

#include "platform/mail/mail_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace mail {

QString draft_path(const QString &attachment_path)
{
    const QFileInfo attachment(attachment_path);
    return attachment.absoluteDir().filePath(attachment.completeBaseName() +
                                             QStringLiteral(".eml"));
}

bool write_draft(const QString &path, const QByteArray &message)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(message) == message.size() && file.commit())
        return true;
    set_error(QStringLiteral("zprávu nelze uložit do souboru %1 (%2).")
                  .arg(quoted(path), file.errorString()));
    return false;
}

} // namespace mail
