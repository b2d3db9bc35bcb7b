#pragma once
// A multi-line edit bound to a text field.  Line breaks are stored as CR LF, the way every
// multi-line text of the database holds them, and the field's size counts them so.

#include "widgets/field_data_link.h"

#include <QPlainTextEdit>

class TDBMemo : public QPlainTextEdit, public TDataAware {
    Q_OBJECT

public:
    explicit TDBMemo(QWidget *parent = nullptr);

signals:
    void edited();

private:
    void show_value();
    void show_editable(bool editable);
    void text_changed();
    QString stored_text() const;
    void drop_overflow(qsizetype excess);

    bool m_showing = false;
};
