#pragma once
// The preview window of every report: the prepared pages with their zoom and page counter,
// printing through the print dialog, saving in the registered export formats and sending
// as a PDF by e-mail.  While it is open the decimal separator is '.'; it comes back when the
// window goes, whatever happens.

#include "engine/display_list.h"
#include "reports/preview_report.h"
#include "text/format_settings.h"

#include <QDialog>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;
class PreviewView;
struct Tmail_content;

class Tfpreview : public QDialog {
    Q_OBJECT

public:
    static constexpr int help_topic = 103;

    // Over the main window of the window host, down to its status bar.
    explicit Tfpreview(QWidget *parent = nullptr);
    ~Tfpreview() override;

    // The report to fill before prepare_report(): its template, texts and data sources.
    PreviewReport &report() { return m_report; }
    const PreparedReport &prepared() const { return m_prepared; }

    // Prepares the report and shows its first page; a report that cannot be prepared is said
    // to the user and the preview stays empty.  False in that case.
    bool prepare_report();

    PreviewView *view() const { return m_view; }
    QMenuBar *menu_bar() const { return m_menu_bar; }
    QMenu *context_menu() const { return m_context_menu; }
    QToolBar *tool_strip() const { return m_tool_strip; }
    QLabel *page_counter() const { return m_page_counter; }
    QLabel *zoom_label() const { return m_zoom_label; }

    void actPrintExecute();
    void actSaveAsExecute();
    void actSendExecute();
    void actPageWholeExecute();
    void actPageWidthExecute();
    void actZoomInExecute();
    void actZoomOutExecute();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QAction *add_action(const char *name, const QString &caption, const QString &hint,
                        void (Tfpreview::*execute)());
    void create_menus();
    void create_tool_strip();
    void update_page_counter();
    void update_zoom_label();
    void window_activated();
    // Shows the preview again after a dialog that may have covered it.
    void refresh();

    DecimalPointGuard m_decimal_point;
    PreviewReport m_report;
    PreparedReport m_prepared;

    QMenuBar *m_menu_bar = nullptr;
    QMenu *m_context_menu = nullptr;
    QToolBar *m_tool_strip = nullptr;
    PreviewView *m_view = nullptr;
    QLabel *m_page_counter = nullptr;
    QLabel *m_zoom_label = nullptr;
    QAction *m_print = nullptr;
    QAction *m_save_as = nullptr;
    QAction *m_send = nullptr;
    QAction *m_page_whole = nullptr;
    QAction *m_page_width = nullptr;
    QAction *m_zoom_in = nullptr;
    QAction *m_zoom_out = nullptr;
    QAction *m_first_page = nullptr;
    QAction *m_previous_page = nullptr;
    QAction *m_next_page = nullptr;
    QAction *m_last_page = nullptr;
    bool m_sending = false;
};
