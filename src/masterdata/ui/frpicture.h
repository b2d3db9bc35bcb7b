#pragma once
// The photograph of a catalogue record ("Fotografie"): the picture stored under the
// record's RECID, with commands to load it from a JPEG file, delete it, show it at full
// size, print it and save it to a file.  The window that holds the panel says whose
// picture it is; the panel stores and deletes it at once.

#include <QGroupBox>
#include <QString>

class QToolButton;
class TPictureView;

class Tfr_picture : public QGroupBox {
    Q_OBJECT

public:
    // `delete_question` is asked before the stored picture is deleted.
    Tfr_picture(const QString &delete_question, QWidget *parent = nullptr);

    // The record whose picture the commands act on (0 for none) and its name, the caption
    // of the full-size view and the title of the printout.  The picture shown is cleared.
    void set_owner(int recid, const QString &name);
    // Reads the owner's stored picture into the view.
    void load();
    void clear();
    bool is_empty() const;

    TPictureView *view() const { return m_view; }
    QToolButton *load_button() const { return m_load; }
    QToolButton *delete_button() const { return m_delete; }
    QToolButton *show_button() const { return m_show; }
    QToolButton *print_button() const { return m_print; }
    QToolButton *save_button() const { return m_save; }

    void load_from_file();
    void delete_picture();
    void show_full_size();
    void print();
    void save_to_file();

private:
    void update_commands();

    QString m_delete_question;
    int m_owner = 0;
    QString m_name;
    TPictureView *m_view = nullptr;
    QToolButton *m_load = nullptr;
    QToolButton *m_delete = nullptr;
    QToolButton *m_show = nullptr;
    QToolButton *m_print = nullptr;
    QToolButton *m_save = nullptr;
};
