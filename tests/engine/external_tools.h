#pragma once
// The programs that check what the engine writes, each from a Debian package of
// tools/bootstrap.sh.  A test whose program is missing is skipped with its name.

#include <QString>
#include <QStringList>

struct ToolRun {
    int exit_code = -1;
    QByteArray out;
    QByteArray err;
};

QString qpdf_program();
QString pdftotext_program();
QString pdfinfo_program();
QString pdffonts_program();
QString pdftoppm_program();
QString xmllint_program();
QString zbarimg_program();
QString python_program();

ToolRun run_tool(const QString &program, const QStringList &arguments);

#define REQUIRE_TOOL(program, name)                                                                \
    if ((program).isEmpty())                                                                       \
    GTEST_SKIP() << name " is not installed (see tools/bootstrap.sh)"
