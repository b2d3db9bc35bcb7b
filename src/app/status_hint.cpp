#include "app/status_hint.h"

StatusHint split_status_hint(const QString &text)
{
    const qsizetype bar = text.indexOf(u'|');
    if (bar <= 0)
        return {QString(), text};
    return {text.left(bar), text.mid(bar + 1)};
}

StatusHint main_window_status()
{
    return {QStringLiteral("Hlavní okno"), QStringLiteral("F10 - Hlavní menu")};
}
