// render_program_icon OUTDIR SIDE...: the program's icon as OUTDIR/SIDExSIDE/apps/tallyra.png
// for each side, the layout of the hicolor icon theme.
#include "app/program_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() < 2) {
        std::fputs("Použití: render_program_icon SLOŽKA VELIKOST...\n", stderr);
        return 2;
    }
    const QDir out(arguments.first());
    const QIcon icon = program_icon();
    for (const QString &argument : arguments.mid(1)) {
        bool number = false;
        const int side = argument.toInt(&number);
        const QString folder = out.filePath(QStringLiteral("%1x%1/apps").arg(side));
        const QString file = QDir(folder).filePath(QStringLiteral("tallyra.png"));
        if (!number || side <= 0 || !QDir().mkpath(folder) ||
            !icon.pixmap(side, side).save(file, "PNG")) {
            std::fprintf(stderr, "Ikonu %s nelze zapsat.\n", file.toUtf8().constData());
            return 1;
        }
    }
    return 0;
}
