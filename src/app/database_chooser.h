#pragma once
// The questions of the data-manager library as the program's own dialogs: where the
// database of a new connection is, where a backup copy goes and which copy comes back.

#include "platform/dm/dm.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The first start, or a start after the configured database did not open (`detail` says
// which and why): create the proposed database, use the one already there, set aside a
// file there that is no Tallyra database and create one in its place, pick an existing
// database, or give up.
class TfmNewDatabase : public QDialog {
    Q_OBJECT

public:
    enum Answer { Cancelled = 0, CreateProposed = 1, ChooseExisting = 2, SetAsideAndCreate = 3 };

    TfmNewDatabase(const QString &proposal, const QString &detail, QWidget *parent = nullptr);

private:
    QPushButton *m_create = nullptr;
    QPushButton *m_choose = nullptr;
    QPushButton *m_cancel = nullptr;
};

// The chooser of the library (dm_set_chooser): fills `out` with the chosen path.
int choose_database_file(DmChoice kind, void *parent, const char *proposal, const char *detail,
                         char *out, int out_size);
void install_database_chooser();
