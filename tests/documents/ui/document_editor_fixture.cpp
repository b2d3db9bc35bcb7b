#include "documents/ui/document_editor_fixture.h"

#include "data/clock.h"
#include "data/memtable.h"
#include "documents/ui/document_operations.h"
#include "documents/ui/fdoc_head.h"
#include "documents/ui/fitem_edit.h"
#include "masterdata/ui/fselector.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dbnumber_edit.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

void DocumentEditorFixture::SetUp()
{
    CodeListFixture::SetUp();
    set_fixed_today(QDate(2026, 3, 14));
    customer = insert_partner(1, QStringLiteral("Odběratel a.s."));
    supplier = insert_partner(2, QStringLiteral("Dodavatel s.r.o."));
    exec(QStringLiteral("UPDATE PAR SET ID_PARTNER_TYPE=1 WHERE RECID=%1;"
                        "UPDATE PAR SET ID_PARTNER_TYPE=2 WHERE RECID=%2;"
                        "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, "
                        "ADDRESS, CITY) VALUES (%3, %1, 'T', 'sídlo', 'Dlouhá 1', 'Brno'), "
                        "(%4, %1, 'F', 'sklad', 'Krátká 2', 'Blansko'), "
                        "(%5, %2, 'T', 'centrála', 'Nová 3', 'Praha');"
                        "INSERT INTO PRO (RECID, PRO_NO, PRO_NAME, UNITV, COST) VALUES "
                        "(%6, 1, 'šroub', 'ks', 255), (%7, 2, 'matice', 'kg', 100), "
                        "(%8, 3, 'svorník', 'ks', 40);"
                        "INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES "
                        "(7102, %7, 3.9, 'EUR');"
                        "UPDATE CURR_LIST SET CURR_KURS=25.5 WHERE RECID=1;"
                        "INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO) VALUES "
                        "(%9, 'T', 'Běžný účet', '123456789/0100');"
                        "INSERT INTO CONF_INVOICE (RECID, NAZEV, ADRESA) VALUES "
                        "(8101, 'Firma', 'Hlavní 1, Brno')")
             .arg(customer)
             .arg(supplier)
             .arg(invoice_address)
             .arg(branch_address)
             .arg(supplier_address)
             .arg(screw)
             .arg(nut)
             .arg(bolt)
             .arg(bank));
}

void DocumentEditorFixture::TearDown()
{
    set_fixed_today(QDate());
    CodeListFixture::TearDown();
}

void DocumentEditorFixture::retype(QLineEdit *edit, const QString &text)
{
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    if (!text.isEmpty())
        type_into(edit->parentWidget(), edit->objectName(), text);
}

void DocumentEditorFixture::add_item(Tfm_docheader &editor, int product, const QString &quantity,
                                     const std::function<void(TfmItemEdit &item)> &more)
{
    on_modal<TfmItemEdit>([product, quantity, more](TfmItemEdit &item) {
        on_next_selector([product](Tfm_selector &selector) {
            ASSERT_TRUE(selector.record_set()->locate(QStringLiteral("RECID"), product));
            QTest::keyClick(selector.grid(), Qt::Key_Return);
        });
        item.product_edit()->setFocus();
        QTest::keyClick(item.product_edit(), Qt::Key_Down);
        retype(item.amount_edit(), quantity);
        if (more)
            more(item);
        item.ok_button()->click();
    });
    editor.add_item_action()->trigger();
}

int DocumentEditorFixture::issue_invoice(const std::vector<std::pair<int, QString>> &items,
                                         int choice)
{
    on_modal<Tfm_docheader>([this, items](Tfm_docheader &editor) {
        editor.choose_address(invoice_address);
        retype(editor.title_edit(), QStringLiteral("dodávka"));
        for (const auto &[product, quantity] : items)
            add_item(editor, product, quantity);
        editor.ok_button()->click();
    });
    return new_document(1, QStringLiteral("DOC1"), choice);
}
