#include "engine/font_style.h"

#include <QFont>

QString font_family_without_ce(const QString &family)
{
    static const QString suffix = QStringLiteral(" CE");
    return family.endsWith(suffix, Qt::CaseInsensitive) ? family.chopped(suffix.size()) : family;
}

QFont to_qfont(const FontStyle &style)
{
    QFont font(font_family_without_ce(style.family));
    font.setPointSizeF(style.size);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    // Unhinted outlines give the same advances at every resolution, so a line measured on the
    // preparer's device fits its object on paper and on screen alike.
    font.setHintingPreference(QFont::PreferNoHinting);
    // Without kerning and ligatures a line is as wide as its characters' advances added up,
    // which is how the preparer measures it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
