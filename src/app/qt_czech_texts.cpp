#include "app/qt_czech_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool install_czech_qt_texts()
{
    // Lives as long as the application: the translator must outlast every dialog using it.
    static QTranslator translator;
    if (!translator.load(QStringLiteral("qtbase_cs"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
