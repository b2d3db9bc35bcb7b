#pragma once
// Every text line of every prepared page, in page order: what a reader of the report sees.

#include "engine/display_list.h"

#include <QStringList>

inline QStringList page_texts(const PreparedReport &report)
{
    QStringList texts;
    for (const PreparedPage &page : report.pages)
        for (const DisplayItem &item : page.items)
            if (const auto *text = std::get_if<DisplayText>(&item.content))
                for (const TextLine &line : text->lines)
                    texts << line.text;
    return texts;
}
