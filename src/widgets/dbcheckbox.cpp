#include "widgets/dbcheckbox.h"

#include "data/memtable.h"

TDBCheckBox::TDBCheckBox(QWidget *parent)
    : QCheckBox(parent),
      TDataAware(
          this, [this] { show_value(); }, [this](bool editable) { set_editable(editable); })
{
    connect(this, &QAbstractButton::clicked, this, &TDBCheckBox::user_clicked);
    m_link.refresh();
}

void TDBCheckBox::set_editable(bool editable)
{
    // Enabling stays the window's to decide, so a locked box only stops taking clicks.
    setAttribute(Qt::WA_TransparentForMouseEvents, !editable);
}

void TDBCheckBox::show_value()
{
    const TField *bound = m_link.field();
    setChecked(bound && bound->as_string().trimmed() == QLatin1String("T"));
}

void TDBCheckBox::user_clicked(bool checked)
{
    const QString value = checked ? QStringLiteral("T") : QStringLiteral("F");
    if (m_link.modify([&value](TField &field) { field.set_as_string(value); }))
        emit edited();
    else
        show_value();
}
