#pragma once
// A date edit that may be left empty: the date is typed in the short date format with a
// four-digit year, or picked from a calendar that the button at the right opens ("Kalendář").
// Text that is no date is refused with a message when the user leaves the edit (or presses
// Enter), and the last good date is shown again.

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;

class TDateEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TDateEdit(QWidget *parent = nullptr);

    // Invalid when the edit is empty.
    QDate date() const { return m_date; }
    void set_date(const QDate &date);

    // The short date format with its year widened to four digits.
    static QString display_format();

    void show_calendar();
    QCalendarWidget *calendar() const { return m_calendar; }

signals:
    // The user typed a date, cleared the edit or picked a date from the calendar; an
    // invalid date means empty.
    void date_edited(const QDate &date);

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void text_typed(const QString &text);
    void check_text();
    void pick(const QDate &date);

    QDate m_date;
    QAction *m_calendar_action;
    QCalendarWidget *m_calendar = nullptr;
};
