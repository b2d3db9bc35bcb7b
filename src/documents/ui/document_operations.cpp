#include "documents/ui/document_operations.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "data/record_writer.h"
#include "documents/doc_types.h"
#include "documents/ui/fdoc_head.h"
#include "masterdata/ui/fselector.h"
#include "widgets/open_record_set.h"
#include "widgets/owner_window.h"
#include "widgets/window_host.h"

namespace {

const int help_no_partner = 9001;
const int help_choose_invoice = 305;
const int help_delete = 3061;
// The command message that makes the tax-records book read its rows again.
const int reload_message = 1;

QString book_view(int type)
{
    return QStringLiteral("VIEW_DOC") + QString::number(type);
}

// A document is made out to a partner's address, so without any there is nothing to write.
bool partner_address_exists()
{
    if (dbAPI->count_rows(QStringLiteral("PAR_ADDR")) > 0)
        return true;
    show_message(QStringLiteral("Pozor!"),
                 QStringLiteral("Nejprve zadejte alespoň jednoho obchodního partnera s "
                                "fakturační adresou."),
                 mbIconWarning, false, help_no_partner);
    return false;
}

// The invoice a new credit note corrects: an issued one for type 3, a received one for 4.
int choose_invoice(int credit_type)
{
    int width = 0;
    int height = 0;
    if (const QWidget *host = window_host().host_window()) {
        width = host->width() * 7 / 8;
        height = host->height() * 7 / 8;
    }
    return select_row(nullptr, help_choose_invoice, 0, {}, height, width,
                      QStringLiteral("Vyberte doklad proti kterému vystavujete dobropis."),
                      QStringLiteral("SELECT * FROM VIEW_SEL_INVOICE WHERE ID_DOC_TYPE=") +
                          QString::number(credit_type == dtIssuedCredit ? 1 : 2) +
                          QStringLiteral(" ORDER BY DOC_NO"),
                      QStringLiteral("VIEW_SEL_INVOICE"));
}

int run_editor(int mode, int type, TMemTable *header, int choice, int linked_invoice)
{
    Tfm_docheader editor(mode, type, header, choice, linked_invoice, owner_window());
    return editor.run();
}

int open_new(int type, TMemTable *header, int choice)
{
    if (choice == -1 || !header || !header->active())
        return 0;
    if (choice == -3)
        type = dtIssuedCredit;
    else if (choice == -2)
        type = dtReceivedCredit;
    if (!is_doc_type(type) || !partner_address_exists())
        return 0;
    int linked_invoice = 0;
    if (type == dtIssuedCredit || type == dtReceivedCredit) {
        linked_invoice = choose_invoice(type);
        if (linked_invoice == 0)
            return 0;
    }
    return run_editor(TRecordEditor::Add, type, header, choice > 0 ? choice : 0, linked_invoice);
}

int open_correction(int type, TMemTable *header)
{
    if (!is_doc_type(type) || !header || !header->active() || header->is_empty() ||
        dbAPI->current_recid(header) == 0 || !partner_address_exists())
        return 0;
    return run_editor(TRecordEditor::Edit, type, header, 0, 0);
}

// Deletes the document and what the database takes with it; true when it is gone.  A
// refusal (an invoice that a credit note corrects) is shown and the program goes on.
bool delete_stored(int id)
{
    RecordWriter record(*dbAPI, QStringLiteral("DOC_HEAD"), id);
    return record.put(pmDelete);
}

} // namespace

int new_document(int type, const QString &book_key, int choice)
{
    if (choice == -1 || !dbAPI)
        return 0;
    if (TMemTable *book = open_record_set(book_key)) {
        const int id = open_new(type, book, choice);
        if (id != 0)
            dbAPI->refresh_record(id, book_view(type), book);
        return id;
    }
    ScopedSet scratch = dbAPI->select_scoped(QStringLiteral("DOC_HEAD"),
                                             QStringLiteral("SELECT * FROM DOC_HEAD WHERE RECID=0"));
    return open_new(type, scratch.get(), choice);
}

int new_document_in_book(int type, TMemTable *book, int choice)
{
    return dbAPI ? open_new(type, book, choice) : 0;
}

int edit_document(int type, TMemTable *book)
{
    return dbAPI ? open_correction(type, book) : 0;
}

int edit_document_of_row(TMemTable *list)
{
    if (!dbAPI || !list || !list->active() || list->is_empty())
        return 0;
    const int id = dbAPI->current_recid(list);
    const int type = list->field_by_name(QStringLiteral("ID_DOC_TYPE")).as_integer();
    if (id == 0 || !is_doc_type(type))
        return 0;
    const QString view = book_view(type);
    // A document deleted since the list was read must not open another one in its place.
    auto found = [id](TMemTable *set) {
        if (set && set->locate(QStringLiteral("RECID"), id))
            return true;
        show_message(QStringLiteral("Chyba"), QStringLiteral("Záznam neexistuje!"), mbIconError);
        return false;
    };
    if (TMemTable *book = open_record_set(QStringLiteral("DOC") + QString::number(type))) {
        if (!found(book))
            return 0;
        const int saved = open_correction(type, book);
        if (saved != 0)
            dbAPI->refresh_record(saved, view, book);
        return saved;
    }
    // Only the one row is read: the whole book would be read for nothing.
    ScopedSet scratch = dbAPI->select_scoped(
        view, QStringLiteral("SELECT * FROM ") + view + QStringLiteral(" WHERE RECID=") +
                  QString::number(id));
    if (!scratch || !found(scratch.get()))
        return 0;
    return open_correction(type, scratch.get());
}

int delete_document(TMemTable *book, int type)
{
    if (!dbAPI || !book || !book->active() || book->is_empty())
        return 0;
    const int id = dbAPI->current_recid(book);
    if (id == 0)
        return 0;
    if (show_message(QStringLiteral("Pozor!"),
                     doc_type_name(type).toUpper() +
                         QStringLiteral("\r\n\r\nOpravdu vymazat vybraný doklad a všechny jeho "
                                        "úhrady?"),
                     mbYesNo | mbIconWarning | mbDefaultNo, false, help_delete) != mrYes)
        return 0;
    if (!delete_stored(id))
        return 0;
    book->remove();
    return id;
}

int delete_partner_document(TMemTable *list)
{
    if (!dbAPI || !list || !list->active() || list->is_empty())
        return 0;
    const int id = dbAPI->current_recid(list);
    if (id == 0)
        return 0;
    if (show_message(QStringLiteral("Pozor!"),
                     QStringLiteral("Opravdu vymazat vybraný doklad obchodního partnera a všechny "
                                    "jeho úhrady?"),
                     mbYesNo | mbIconWarning | mbDefaultNo, false, help_delete) != mrYes)
        return 0;
    const int type = list->field_by_name(QStringLiteral("ID_DOC_TYPE")).as_integer();
    if (!delete_stored(id))
        return 0;
    if (TMemTable *book = open_record_set(QStringLiteral("DOC") + QString::number(type));
        book && book->locate(QStringLiteral("RECID"), id))
        book->remove();
    // The document's payments went with it.
    window_host().notify_child(QStringLiteral("TE"), reload_message);
    if (list->locate(QStringLiteral("RECID"), id))
        list->remove();
    return id;
}
