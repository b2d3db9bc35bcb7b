#include "app/setup_invoice_page.h"

#include "app/setup_list_panel.h"
#include "widgets/dbmemo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const int page_topic = 1041;

} // namespace

TSetupInvoicePage::TSetupInvoicePage(TMemTable *addresses, QWidget *parent) : QWidget(parent)
{
    auto *intro = new QLabel(
        QStringLiteral("Vložte zde adresu sídla Vaší firmy a případně vkládejte i adresy dalších "
                       "Vašich poboček, či provozoven. Tedy adresy míst, kam Vám budou "
                       "přicházet faktury."),
        this);
    intro->setWordWrap(true);

    auto *group = new QGroupBox(QStringLiteral("Vaše fakturační adresy"), this);
    m_list = new TSetupListPanel(
        addresses, QStringLiteral("CONF_INVOICE"), QStringLiteral("NAZEV"), page_topic,
        {QStringLiteral("Nová fakturační adresa"), QStringLiteral("Opravit adresu"),
         QStringLiteral("Vymazat adresu"),
         QStringLiteral("Opravdu si přejete vymazat tuto fakturační adresu?"), "btnNewAddress",
         "btnEditAddress", "btnDeleteAddress"},
        group);
    auto *address = new TDBMemo(group);
    address->setObjectName(QStringLiteral("ADRESA"));
    address->bind(addresses, QStringLiteral("ADRESA"));
    address->set_read_only(true);
    address->setFocusPolicy(Qt::ClickFocus);

    auto *lists = new QHBoxLayout(group);
    lists->addWidget(m_list, 1);
    lists->addWidget(address, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(group, 1);
}
