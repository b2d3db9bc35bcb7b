#pragma once
// A read-only field with a drop-down button that picks one row of a code list for a report
// condition.  It holds the row's RECID, 0 meaning "all", which it shows with its "***" text.

#include <QLineEdit>
#include <QString>

class ReportPicker : public QLineEdit {
    Q_OBJECT

public:
    struct Source {
        QString all_text;
        QString selector_title;
        QString select;
        QString set_name;
        // Where the chosen row's name is looked up.
        QString table;
        QString name_column;
    };

    ReportPicker(const QString &object_name, Source source, QWidget *parent);

    int value() const { return m_value; }
    // Shows the row's name, or the "***" text for 0.
    void set_value(int recid);
    // Opens the row selector below the field; nothing chosen goes back to "all".
    void drop_down();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Source m_source;
    int m_value = 0;
};
