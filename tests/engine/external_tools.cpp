#include "external_tools.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString qpdf_program()
{
    return QStandardPaths::findExecutable(QStringLiteral("qpdf"));
}

QString pdftotext_program()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

QString pdfinfo_program()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
}

QString pdffonts_program()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
}

QString pdftoppm_program()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
}

QString xmllint_program()
{
    return QStandardPaths::findExecutable(QStringLiteral("xmllint"));
}

QString zbarimg_program()
{
    return QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
}

// Debian's own interpreter, whatever other python3 comes first in PATH.
QString python_program()
{
    const QString debian = QStringLiteral("/usr/bin/python3");
    return QFileInfo(debian).isExecutable() ? debian : QString();
}

ToolRun run_tool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
