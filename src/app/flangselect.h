#pragma once
// The language in which an issued invoice is printed: the languages of section "LANGUAGE"
// of the settings file, in file order.  A firm that invoices only at home prints in Czech
// without being asked.

#include <QDialog>
#include <QString>
#include <QStringList>

class QButtonGroup;

class TfmLangSelect : public QDialog {
    Q_OBJECT

public:
    explicit TfmLangSelect(QWidget *parent = nullptr);

    // The language codes offered, in the order shown.
    const QStringList &codes() const { return m_codes; }
    QButtonGroup *choices() const { return m_choices; }
    // "CZECH", or the code of the selected entry.
    QString chosen_code() const;

private:
    QStringList m_codes;
    QButtonGroup *m_choices = nullptr;
};

// The code of the language to print in; false when the user cancelled (the code is then
// empty).
bool choose_invoice_language(QString &code);
