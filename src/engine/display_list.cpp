#include "engine/display_list.h"

QString RichLine::text() const
{
    QString text;
    for (const TextRun &run : runs)
        text += run.text;
    return text;
}
