#pragma once
// A database with a customer, a supplier, three products (one with a euro price of its
// own) and a bank account, and the helpers that drive the document editor and the item
// editor as the user does.

#include "masterdata/ui/code_list_fixture.h"
#include "support/modal_driver.h"

#include <QLineEdit>
#include <QString>
#include <functional>

class TfmItemEdit;
class Tfm_docheader;

class DocumentEditorFixture : public CodeListFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Acts on the next modal window of the type; one still open afterwards is cancelled.
    template <typename Window>
    static void on_modal(const std::function<void(Window &window)> &action)
    {
        ModalDriver::on_next_modal([action](QWidget *modal) {
            auto *window = qobject_cast<Window *>(modal);
            if (!window) {
                ADD_FAILURE() << "unexpected modal window " << qPrintable(modal->objectName());
                modal->close();
                return;
            }
            action(*window);
            if (window->isVisible())
                window->reject();
        });
    }

    // Replaces what the edit holds, as a user selecting all and typing does.
    static void retype(QLineEdit *edit, const QString &text);
    // Adds an item through the item editor: the product picked from its list, the quantity
    // typed; `more` acts on the editor before OK.
    static void add_item(Tfm_docheader &editor, int product, const QString &quantity,
                         const std::function<void(TfmItemEdit &item)> &more = {});
    // A new issued invoice of the customer with the items (product, quantity) saved through
    // the editor; its RECID.
    int issue_invoice(const std::vector<std::pair<int, QString>> &items, int choice = 0);

    QString shell(const QString &sql) const { return sqlite_shell(sql).trimmed(); }

    int customer = 0;
    int supplier = 0;
    const int invoice_address = 6001;
    const int branch_address = 6002;
    const int supplier_address = 6003;
    const int screw = 7001;  // 255 Kč, no euro price
    const int nut = 7002;    // 100 Kč, 3.90 EUR of its own
    const int bolt = 7003;   // 40 Kč
    const int bank = 8001;
    const int euro = 1;      // the rate list's EUR row, 25.50 Kč
};
