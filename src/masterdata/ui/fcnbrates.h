#pragma once
// "Načíst kurzy ČNB": the bank's daily rates, downloaded for today or read from a file the
// user picks, written into the currency list.  The window then shows the file's date and,
// for every currency of the list, its rate before and after.  A file that is not the
// bank's rate list changes nothing and the user learns which line is wrong.

#include "masterdata/cnb_rates.h"

#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;
class TDBGrid;
class TMemTable;

class Tfm_cnbrates : public QDialog {
    Q_OBJECT

public:
    // The download waits this long for the bank's answer.
    static constexpr int download_timeout_ms = 15000;

    // `address` is where the day's file is downloaded from.
    explicit Tfm_cnbrates(const QUrl &address, QWidget *parent = nullptr);
    ~Tfm_cnbrates() override;

    void download();
    void read_file();
    // Reads the file's text into the currency list; true when the list was updated.
    bool import_rates(const QByteArray &file);

    QPushButton *download_button() const { return m_download; }
    QPushButton *file_button() const { return m_file; }
    QLabel *date_label() const { return m_date; }
    TMemTable *result_set() const { return m_result; }
    TDBGrid *result_grid() const { return m_grid; }
    // Whether the currency list was changed while the window was open.
    bool changed() const { return m_changed; }

private:
    QStringList codes_to_add(const std::vector<CnbRate> &unlisted);
    void show_update(const CnbRateList &list, const RateUpdate &update);

    QUrl m_address;
    QPushButton *m_download = nullptr;
    QPushButton *m_file = nullptr;
    QLabel *m_date = nullptr;
    TDBGrid *m_grid = nullptr;
    TMemTable *m_result = nullptr;
    bool m_changed = false;
};

// The command of the currency list: opens the window over the list's own window; true
// when the list was changed.
bool import_cnb_rates(QWidget *parent, const QUrl &address);
