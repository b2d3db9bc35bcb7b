#include "documents/doc_types.h"

namespace {

struct TypeTexts {
    const char *name;
    const char *book;
    const char *created;
    const char *corrected;
};

const TypeTexts texts[] = {
    {"faktura vydaná", "faktury vydané - seznam", "faktura vydaná - nová", "faktura vydaná - oprava"},
    {"faktura došlá", "faktury došlé - seznam", "faktura došlá - nová", "faktura došlá - oprava"},
    {"dobropis vydaný", "dobropisy vydané - seznam", "dobropis vydaný - nový",
     "dobropis vydaný - oprava"},
    {"dobropis došlý", "dobropisy došlé - seznam", "dobropis došlý - nový",
     "dobropis došlý - oprava"},
};

} // namespace

bool is_doc_type(int type)
{
    return type >= dtIssuedInvoice && type <= dtReceivedCredit;
}

bool brings_money_in(int type)
{
    return type == dtIssuedInvoice || type == dtReceivedCredit;
}

QString doc_type_name(int type)
{
    return is_doc_type(type) ? QString::fromUtf8(texts[type - 1].name) : QStringLiteral("???");
}

QString doc_window_caption(int type, bool list, bool is_new)
{
    if (!is_doc_type(type))
        return {};
    const TypeTexts &t = texts[type - 1];
    return QString::fromUtf8(list ? t.book : (is_new ? t.created : t.corrected));
}

QColor doc_type_color(int type)
{
    switch (type) {
    case dtIssuedInvoice:
        return QColor(0, 0, 255);
    case dtReceivedInvoice:
        return QColor(255, 0, 0);
    case dtIssuedCredit:
        return QColor(0, 128, 0);
    case dtReceivedCredit:
        return QColor(128, 128, 128);
    default:
        return QColor(0, 0, 0);
    }
}

int default_rounding_mode(int type)
{
    return type == dtIssuedInvoice ? 2 : 0;
}
