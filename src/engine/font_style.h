#pragma once
// A font as templates name it.  Families ending in " CE" (the Central European variants of
// old Windows fonts, "Arial CE") are the same family today.

#include <QString>

struct FontStyle {
    QString family = QStringLiteral("Arial");
    double size = 10.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontStyle &) const = default;
};

QString font_family_without_ce(const QString &family);

class QFont;

// The Qt font for a template font; its size is in points, for the device the caller uses.
QFont to_qfont(const FontStyle &style);
