#pragma once
// The search strip under a record-set grid: "Najít:", the search field with its button and
// the name of the column searched, which is always the grid's current column.  Text
// columns are searched as the user types; number and date columns on Enter or the button,
// since their prefixes would jump about while a number is half typed.  A row is found
// when its value begins with the text, letter case ignored.  Flag columns ("ano"/"ne")
// cannot be searched.

#include <QFrame>
#include <QPointer>
#include <QString>

class QLabel;
class QLineEdit;
class QToolButton;
class TDBGrid;

class Tfr_search : public QFrame {
    Q_OBJECT

public:
    explicit Tfr_search(QWidget *parent = nullptr);

    // Follows the grid's current column, and takes the printable characters typed in the
    // grid as the start of a search.
    void attach_grid(TDBGrid *grid);
    // Makes the first grid column showing the field (letter case ignored) the current one.
    void set_search_column(const QString &field_name);
    // The first column the grid shows becomes the search column.
    void use_first_visible_column();
    // Focuses the search field and searches for the character as if it had been typed.
    void start_search(const QString &character);

    // Upper case; empty until a column is entered.
    const QString &search_field_name() const { return m_field_name; }
    bool numeric() const { return m_numeric; }
    bool has_search_focus() const;
    QLineEdit *search_field() const { return m_edit; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void column_entered(int column);
    void text_changed();
    void search();
    void search_and_return();
    bool find_prefix(const QString &text);
    bool accepts(QChar character) const;
    void show_searchable(bool searchable);

    QPointer<TDBGrid> m_grid;
    QString m_field_name;
    bool m_numeric = false;
    QLabel *m_column_label = nullptr;
    QLineEdit *m_edit = nullptr;
    QToolButton *m_button = nullptr;
};
