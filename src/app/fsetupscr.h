#pragma once
// The logo and stamp window: the two pictures printed on issued invoices, the logo in the
// head and the stamp in the foot.  The firm's row refers to them by blob id (LOGO_ID,
// STAMP_ID); removing a picture only unlinks it.

#include <QDialog>
#include <QSize>
#include <QString>

class TPictureView;

class TfmSetupScr : public QDialog {
    Q_OBJECT

public:
    explicit TfmSetupScr(QWidget *parent = nullptr);

    TPictureView *logo() const { return m_logo.view; }
    TPictureView *stamp() const { return m_stamp.view; }

    void insert_logo() { insert_picture(m_logo); }
    void delete_logo() { delete_picture(m_logo); }
    void insert_stamp() { insert_picture(m_stamp); }
    void delete_stamp() { delete_picture(m_stamp); }

private:
    struct PictureSlot {
        QString column;
        QSize area;
        QString dialog_title;
        QString delete_question;
        TPictureView *view = nullptr;
    };

    QWidget *create_area(PictureSlot &slot, const QString &title, const char *name);
    void load_picture(PictureSlot &slot);
    void insert_picture(PictureSlot &slot);
    void delete_picture(PictureSlot &slot);
    void show_in_area(PictureSlot &slot, const QImage &picture);

    PictureSlot m_logo;
    PictureSlot m_stamp;
};

// Shows the window modally above the window in front.
void open_logo_stamp();
