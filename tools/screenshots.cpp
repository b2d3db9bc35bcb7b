// screenshots OUTDIR
// Renders the main window with a book open, its menus and the message dialog in every
// style to PNG files, on a demo database in a temporary folder.

#include "app/database_chooser.h"
#include "app/fabout.h"
#include "app/fdialog.h"
#include "app/flangselect.h"
#include "app/fmain.h"
#include "app/fsetup.h"
#include "app/fsetupscr.h"
#include "app/fwizard.h"
#include "app/program_icon.h"
#include "app/qt_czech_texts.h"
#include "calc/ui/fcalc.h"
#include "calc/ui/fcalcedit.h"
#include "calc/ui/fhistory.h"
#include "calc/ui/fusercalc.h"
#include "calc/user_hist.h"
#include "data/app_paths.h"
#include "data/clock.h"
#include "data/db_api.h"
#include "data/demo_data.h"
#include "text/format_settings.h"
#include "data/messages.h"
#include "data/settings.h"
#include "data/setup_keys.h"
#include "data/picture_box.h"
#include "documents/ui/fdoc.h"
#include "documents/ui/fdoctypeselect.h"
#include "masterdata/foreign_prices.h"
#include "documents/document.h"
#include "documents/ui/fdoc_head.h"
#include "documents/ui/fitem_edit.h"
#include "masterdata/ui/fcnbrates.h"
#include "masterdata/ui/fimage.h"
#include "masterdata/ui/fpriceedit.h"
#include "masterdata/ui/fproedit.h"
#include "masterdata/ui/frpro.h"
#include "masterdata/ui/masterdata_windows.h"
#include "masterdata/ui/flist.h"
#include "masterdata/ui/flistedit.h"
#include "masterdata/ui/fpar.h"
#include "masterdata/ui/fpar_addredit.h"
#include "masterdata/ui/fpar_bankedit.h"
#include "masterdata/ui/fpar_contedit.h"
#include "masterdata/ui/fparedit.h"
#include "masterdata/ui/fselector.h"
#include "masterdata/ui/frrich.h"
#include "engine/memory_data_source.h"
#include "reports/mail_content.h"
#include "reports/mail_settings.h"
#include "reports/ui/fmail.h"
#include "reports/ui/fpreview.h"
#include "reports/ui/fsetwhere.h"
#include "reports/ui/list_reports.h"
#include "taxrecords/ui/fmgrph.h"
#include "taxrecords/cash_voucher.h"
#include "taxrecords/journal_entry.h"
#include "taxrecords/ui/fbank_import.h"
#include "taxrecords/ui/fpretedoc.h"
#include "taxrecords/ui/fte.h"
#include "taxrecords/ui/ftedit.h"
#include "taxrecords/ui/taxrecords_windows.h"
#include "reports/ui/report_runner.h"
#include "reports/report_state.h"
#include "engine/export_filter.h"
#include "engine/pdf_export_filter.h"
#include "reports/ui/document_prints.h"
#include "widgets/system_dialogs.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QVBoxLayout>
#include <cstdio>

namespace {

const QSize main_window_size(1280, 800);

struct Message {
    const char *file;
    QString title;
    QString text;
    int style;
    bool fatal;
    int help_topic;
};

const Message messages[] = {
    {"dialog_16_error", "Chyba",
     "Záznam nelze uložit. Datový soubor je na disku, na který nelze zapisovat!", 16, false, 9002},
    {"dialog_36_question", "Výmaz", "Opravdu si přejete vymazat tuto fakturační adresu?", 36, false,
     1041},
    {"dialog_48_warning", "Pozor!", "Zadaná hesla si neodpovídají, zadejte je znovu.", 48, false,
     0},
    {"dialog_64_information", "Nastavení",
     "Nastavení je uloženo. Změny se projeví po uzavření oken.", 64, false, 1045},
    {"dialog_68_information_yes_no", "OK",
     "Záznam o firmě byl uložen.\r\nPro uplatnění změn je nutno program ukončit a znovu "
     "spustit.\r\nMám program nyní ukončit?",
     68, false, 1045},
    {"dialog_308_warning_default_no", "Pozor, čtěte pozorně!",
     "Obnova dat ze zálohy je potenciálně nebezpečná operace. Provádějte ji POUZE V PŘÍPADĚ "
     "POŠKOZENÍ DAT.\r\n\r\nPřed spuštěním obnovy dat budou uzavřeny všechny otevřené "
     "tabulky.\r\n\r\nPokračovat?",
     308, false, 0},
    {"dialog_fatal", "Chyba!", "Během obnovení dat došlo k závažné chybě. Program bude ukončen!",
     16, true, 9002},
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// Offscreen windows have no frame, so the caption is drawn above the window's picture.
QImage with_caption(QWidget &window)
{
    const QImage content = window.grab().toImage();
    const int caption_height = 26;
    QImage framed(content.width() + 2, content.height() + caption_height + 1,
                  QImage::Format_ARGB32);
    framed.fill(QColor(90, 110, 140));
    QPainter painter(&framed);
    painter.setPen(Qt::white);
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 0, framed.width() - 16, caption_height),
                     Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawImage(1, caption_height, content);
    return framed;
}

bool save(const QImage &image, const QDir &out, const QString &name)
{
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool prepare_demo_folder(const QTemporaryDir &temp)
{
    QDir(temp.path()).mkpath(QStringLiteral("app/lib"));
    QDir(temp.path()).mkpath(QStringLiteral("data"));
    set_app_exe_path(temp.filePath(QStringLiteral("app/tallyra")));
    IniFile settings = settings_file();
    settings.write_bool(setup::section, setup::wizard, false);
    settings.write_int(setup::section, setup::auto_run, setup::arNothing);

    const QString database = temp.filePath(QStringLiteral("data/tallyra.db"));
    if (!dm_create_database(database.toUtf8().constData()))
        return false;
    QFile connection(app_file_path(QStringLiteral(".cfg")));
    if (!connection.open(QIODevice::WriteOnly))
        return false;
    connection.write("sqlite:" + database.toUtf8());
    connection.close();

    TdbAPI api;
    DemoSize size;
    size.partners = 60;
    size.products = 40;
    size.documents = 300;
    size.journal_entries = 2000;
    size.years = 3;
    const bool filled = api.open_database() && fill_demo_data(api, size);
    api.close_database();
    return filled;
}

// A plain book window over the journal view, standing in for the tax-records book.
QWidget *journal_window()
{
    auto *window = new QWidget;
    window->setWindowTitle(QStringLiteral("Daňová evidence"));
    auto *grid = new TDBGrid(window);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    TMemTable *set = dbAPI->select_sql(QStringLiteral("VIEW_TE"),
                                       QStringLiteral("SELECT * FROM VIEW_TE ORDER BY DATE_D"));
    grid->set_table(set);
    QObject::connect(window, &QObject::destroyed, [set] {
        if (dbAPI)
            dbAPI->free_set(set);
    });
    return window;
}

// The rich-text panel with a formatted Czech text, then the same text quoted as a credit note
// takes it over; and the picture window for a small and a large picture.
void fill_rich_text(QTextEdit &editor)
{
    QTextCursor cursor = editor.textCursor();
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCharFormat heading;
    heading.setFontPointSize(14);
    heading.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(centred);
    cursor.insertText(QStringLiteral("Fakturujeme Vám za dodávku zboží a služeb"), heading);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText(QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy – "));
    QTextCharFormat italic;
    italic.setFontItalic(true);
    cursor.insertText(QStringLiteral("ĚŠČŘŽÝÁÍÉ ÚŮ ĎŤŇ"), italic);
    cursor.insertBlock();
    cursor.createList(QTextListFormat::ListDisc);
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    cursor.insertText(QStringLiteral("montáž a oživení zařízení"), underline);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("školení obsluhy, 2 hodiny"), QTextCharFormat());
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.setBlockFormat(right);
    QTextCharFormat red;
    red.setForeground(QColor(190, 30, 30));
    cursor.insertText(QStringLiteral("Splatnost 14 dní."), red);
}

QImage demo_picture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(250, 230, 170));
    painter.fillRect(image.rect(), sky);
    painter.setPen(QPen(QColor(40, 60, 90), 3));
    for (int x = 0; x < size.width(); x += 100)
        painter.drawLine(x, 0, x, size.height());
    for (int y = 0; y < size.height(); y += 100)
        painter.drawLine(0, y, size.width(), y);
    QFont font = painter.font();
    font.setPixelSize(std::max(24, size.height() / 8));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Žluťoučký kůň"));
    return image;
}

bool save_rich_and_picture_windows(const QDir &out)
{
    bool saved = true;
    Tfr_rich panel;
    panel.resize(760, 320);
    fill_rich_text(*panel.editor());
    panel.editor()->moveCursor(QTextCursor::Start);
    panel.show();
    settle();
    saved &= save(panel.grab().toImage(), out, QStringLiteral("rich_panel"));
    panel.mark_as_quoted();
    settle();
    saved &= save(panel.grab().toImage(), out, QStringLiteral("rich_panel_quoted"));

    for (const auto &[name, size] : {std::pair{"picture_window", QSize(300, 200)},
                                     std::pair{"picture_window_large", QSize(3000, 2000)}}) {
        Tfm_image window(demo_picture(size), QStringLiteral("Novák a syn, s.r.o."));
        window.show();
        settle();
        saved &= save(with_caption(window), out, QLatin1String(name));
    }
    return saved;
}

// A code list as it opens over the main window, the list editor of one of its rows, and
// the row selector dropped down below an edit and standing alone.
bool save_code_list_windows(const QDir &out)
{
    bool saved = true;
    Tfm_list currencies(QStringLiteral("CURR_LIST"), QStringLiteral("SELECT * FROM CURR_LIST"),
                        QStringLiteral("Kurzovní lístek"), 402);
    currencies.show();
    settle();
    saved &= save(with_caption(currencies), out, QStringLiteral("code_list"));

    Tfm_list categories(QStringLiteral("TE_GRP"), QStringLiteral("SELECT * FROM TE_GRP"),
                        QStringLiteral("Členění daňové evidence"), 403);
    categories.show();
    categories.record_set()->set_row_number(7);
    settle();
    saved &= save(with_caption(categories), out, QStringLiteral("code_list_flags"));
    Tfm_listedit editor(Tfm_listedit::Edit, categories.record_set(), QStringLiteral("TE_GRP"), {},
                        403, QStringLiteral("Opravit záznam"), &categories);
    editor.show();
    settle();
    saved &= save(with_caption(editor), out, QStringLiteral("list_editor"));
    editor.reject();

    QWidget host;
    host.setWindowTitle(QStringLiteral("Výběr partnera"));
    auto *layout = new QVBoxLayout(&host);
    auto *anchor = new QLineEdit(QStringLiteral("Nov"), &host);
    layout->addWidget(anchor);
    layout->addStretch(1);
    host.resize(460, 320);
    host.show();
    settle();
    Tfm_selector drop_down(anchor, 3021, QStringLiteral("Obchodní partneři"),
                           QStringLiteral("SELECT RECID, PARTNER_NO, PARTNER_NAME, ICO FROM "
                                          "VIEW_PAR ORDER BY PARTNER_NAME"),
                           QStringLiteral("VIEW_PAR"));
    drop_down.place(260, 420);
    drop_down.show();
    settle();
    saved &= save(drop_down.grab().toImage(), out, QStringLiteral("selector_drop_down"));
    drop_down.hide();

    Tfm_selector tool(nullptr, 3021, QStringLiteral("Výběr produktu"),
                      QStringLiteral("SELECT * FROM VIEW_PRO ORDER BY PRO_NAME"),
                      QStringLiteral("VIEW_PRO"));
    tool.place(0, 0);
    tool.show();
    settle();
    saved &= save(with_caption(tool), out, QStringLiteral("selector_window"));
    tool.hide();
    return saved;
}

// The partners window on each of its pages, with a partner that has rows on every page,
// and the editors of the partner and of its rows.
bool save_partner_windows(Tfm_main &window, const QDir &out)
{
    bool saved = true;
    // The demo partners have addresses and contacts; the first gets a bank link too.
    dbAPI->exec_sql(QStringLiteral("INSERT INTO PAR_BANK (RECID, ID_PARTNER, BANK_TITLE, "
                                   "BANK_NAME, ACCOUNT_NUMBER, IBAN) SELECT %1, RECID, "
                                   "'Hlavní účet', 'Česká spořitelna, a.s.', '19-2000145399/0800', "
                                   "'CZ6508000000192000145399' FROM PAR ORDER BY PARTNER_NO "
                                   "LIMIT 1")
                        .arg(dbAPI->new_recid()));
    dbAPI->exec_sql(QStringLiteral("UPDATE PAR_CONTACT SET CONTACT_NAME='Jana Nováková' "
                                   "WHERE CONTACT_NAME IS NULL"));
    auto *partners = new TfPar();
    QMdiSubWindow *sub = window.add_child_window(partners, QStringLiteral("PAR"));
    sub->showMaximized();
    partners->window_activated();
    TMemTable *set = partners->partners();
    for (int row = 1; row <= set->record_count(); ++row) {
        set->set_row_number(row);
        if (dbAPI->record_count(partners->addresses()) > 0 &&
            dbAPI->record_count(partners->contacts()) > 0 &&
            dbAPI->record_count(partners->banks()) > 0)
            break;
    }
    const char *pages[] = {"partners_basic", "partners_addresses", "partners_contacts",
                           "partners_banks", "partners_other"};
    for (int page = 0; page < TParTree::PageCount; ++page) {
        partners->show_page(TParTree::Page(page));
        settle();
        saved &= save(with_caption(window), out, QLatin1String(pages[page]));
    }
    partners->show_page(TParTree::BasicPage);
    const int partner = dbAPI->current_recid(set);
    const auto shoot = [&](QDialog &editor, const char *name) {
        editor.show();
        settle();
        saved &= save(with_caption(editor), out, QLatin1String(name));
        editor.reject();
    };
    Tfm_paredit partner_editor(Tfm_paredit::Edit, set, 0, false, &window);
    shoot(partner_editor, "partner_editor");
    Tfm_par_addredit address_editor(TRecordEditor::Edit, partners->addresses(), partner, &window);
    shoot(address_editor, "partner_address_editor");
    Tfm_par_contedit contact_editor(TRecordEditor::Edit, partners->contacts(), partner, &window);
    shoot(contact_editor, "partner_contact_editor");
    Tfm_par_banktedit bank_editor(TRecordEditor::Edit, partners->banks(), partner, &window);
    shoot(bank_editor, "partner_bank_editor");
    sub->close();
    settle();
    return saved;
}

// The products window on both pages (the second with a photograph and a euro price), the
// product and foreign-price editors, and the currency list after an import of the bank's
// rates.
bool save_product_windows(const QDir &out)
{
    bool saved = true;
    dbAPI->foreign_currency = true;
    TfPro products;
    products.resize(1100, 640);
    products.show();
    TMemTable *set = products.record_set();
    set->set_row_number(3);
    const int product = dbAPI->current_recid(set);
    dbAPI->exec_sql(QStringLiteral("INSERT INTO PRO_CURR (RECID, PRO_ID, COST, CURR_NAME) VALUES "
                                   "(%1, %2, %3, 'EUR')")
                        .arg(dbAPI->new_recid())
                        .arg(product)
                        .arg(sql_number(proposed_foreign_price(
                            set->field_by_name(QStringLiteral("COST")).as_float(), 24.5, 1))));
    PictureBox photograph;
    photograph.show(demo_picture(QSize(370, 280)), QSize(370, 280));
    dbAPI->write_picture(product, &photograph);
    settle();
    saved &= save(with_caption(products), out, QStringLiteral("products_basic"));
    products.pages()->setCurrentIndex(TfPro::MorePage);
    products.command("actRefreshPrices")->trigger();
    settle();
    saved &= save(with_caption(products), out, QStringLiteral("products_more"));

    Tfm_proedit editor(Tfm_proedit::Edit, set, &products);
    editor.show();
    settle();
    saved &= save(with_caption(editor), out, QStringLiteral("product_editor"));
    editor.reject();

    TMemTable *currencies =
        dbAPI->select_sql(QStringLiteral("X"), QStringLiteral("SELECT * FROM CURR_LIST"));
    TfmPriceEdit price(TfmPriceEdit::Add, set, products.price_set(),
                       unpriced_currencies(*currencies, {}), &products);
    dbAPI->free_set(currencies);
    price.show();
    settle();
    saved &= save(with_caption(price), out, QStringLiteral("price_editor"));
    price.reject();

    const MessageHandler previous =
        set_message_handler([](const QString &, const QString &, int, bool, int) { return mrNo; });
    Tfm_cnbrates rates(QUrl(QStringLiteral("http://127.0.0.1:9/")));
    rates.import_rates("09.12.2026 #238\n"
                       "země|měna|množství|kód|kurz\n"
                       "Austrálie|dolar|1|AUD|15,123\n"
                       "EMU|euro|1|EUR|24,285\n"
                       "Japonsko|jen|100|JPY|14,120\n"
                       "USA|dolar|1|USD|20,874\n");
    set_message_handler(previous);
    rates.show();
    settle();
    saved &= save(with_caption(rates), out, QStringLiteral("cnb_rates_import"));
    return saved;
}

// The four document books on both pages, each standing on a document paid in two parts
// when it has one, and the new-invoice choice from a book and from a foreign-invoice command.
bool save_document_books(const QDir &out)
{
    bool saved = true;
    dbAPI->foreign_currency = true;
    static const char *const names[] = {"issued_invoices", "received_invoices",
                                        "issued_credit_notes", "received_credit_notes"};
    for (int type = 1; type <= 4; ++type) {
        const ScopedSet paid_in_parts = dbAPI->select_scoped(
            QStringLiteral("X"),
            QStringLiteral("SELECT DOC_ID FROM TE WHERE DOC_ID IN (SELECT RECID FROM DOC_HEAD "
                           "WHERE ID_DOC_TYPE = %1) GROUP BY DOC_ID HAVING COUNT(*) > 1 "
                           "ORDER BY DOC_ID DESC LIMIT 1")
                .arg(type));
        const int shown = paid_in_parts && !paid_in_parts->is_empty()
                              ? paid_in_parts->field(0).as_integer()
                              : 0;
        TfDoc book(type, shown);
        book.resize(1100, 700);
        book.show();
        settle();
        const QString name = QStringLiteral("book_") + QLatin1String(names[type - 1]);
        saved &= save(with_caption(book), out, name + QStringLiteral("_content"));
        book.pages()->setCurrentIndex(TfDoc::PaymentsPage);
        settle();
        saved &= save(with_caption(book), out, name + QStringLiteral("_payments"));
    }
    Tfm_doctypeselect from_book(1, -1);
    from_book.show();
    settle();
    saved &= save(with_caption(from_book), out, QStringLiteral("new_document_choice"));
    Tfm_doctypeselect foreign(2, 1);
    foreign.show();
    settle();
    saved &= save(with_caption(foreign), out, QStringLiteral("new_document_choice_foreign"));
    return saved;
}

// The settings window on each of its pages, the logo and stamp window holding both
// pictures, the guide, the invoice-language choice and the about box.
// The document editor on a stored document of each type, the issued invoice the one with
// the most items, and the item editor on its first item.
bool save_document_windows(const QDir &out)
{
    bool saved = true;
    for (int type = 1; type <= 4; ++type) {
        const QString view = QStringLiteral("VIEW_DOC%1").arg(type);
        const QString order = type == 1 ? QStringLiteral(" ORDER BY (SELECT count(*) FROM DOC_ITEMS "
                                                         "I WHERE I.HEADER_ID=V.RECID) DESC")
                                        : QStringLiteral(" ORDER BY V.DOC_NO DESC");
        ScopedSet book = dbAPI->select_scoped(
            view, QStringLiteral("SELECT * FROM ") + view + QStringLiteral(" V") + order +
                      QStringLiteral(" LIMIT 1"));
        if (!book || book->is_empty())
            continue;
        Tfm_docheader editor(Tfm_docheader::Edit, type, book.get(), 0, 0);
        editor.resize(1000, type == 2 || type == 4 ? 460 : 640);
        editor.show();
        settle();
        saved &= save(with_caption(editor), out, QStringLiteral("document_editor_%1").arg(type));
        if (type == 1 && editor.item_set() && !editor.item_set()->is_empty()) {
            editor.item_set()->first();
            editor.item_set()->edit();
            TfmItemEdit item(editor.item_set(), editor.document().currency.name, &editor);
            item.show();
            settle();
            saved &= save(with_caption(item), out, QStringLiteral("item_editor"));
            item.reject();
            editor.item_set()->cancel();
        }
        editor.reject();
    }
    return saved;
}

bool save_settings_windows(const QDir &out, const QTemporaryDir &temp)
{
    static const char *const page_names[Tfm_setup::page_count] = {
        "settings_1_firm",   "settings_2_invoice_addresses", "settings_3_accounts_desks",
        "settings_4_series", "settings_5_appearance",        "settings_6_help_type"};
    bool saved = true;
    {
        Tfm_setup settings(Tfm_setup::pgFirm);
        settings.show();
        for (int page = 0; page < Tfm_setup::page_count; ++page) {
            settings.pages()->setCurrentIndex(page);
            settle();
            saved &= save(with_caption(settings), out, QLatin1String(page_names[page]));
        }
    }

    QString picture;
    const FileDialogHook saved_hook =
        set_file_dialog_hook([&picture](QWidget *, const FileDialogRequest &) { return picture; });
    {
        TfmSetupScr window;
        picture = temp.filePath(QStringLiteral("logo.jpg"));
        demo_picture(QSize(900, 260)).save(picture, "JPEG");
        window.insert_logo();
        picture = temp.filePath(QStringLiteral("stamp.jpg"));
        demo_picture(QSize(400, 240)).save(picture, "JPEG");
        window.insert_stamp();
        window.show();
        settle();
        saved &= save(with_caption(window), out, QStringLiteral("logo_stamp"));
    }
    set_file_dialog_hook(saved_hook);

    auto *guide = new TfmWizard;
    guide->show();
    settle();
    saved &= save(with_caption(*guide), out, QStringLiteral("guide"));
    delete guide;

    IniFile settings = settings_file();
    for (const auto &[code, name] : {std::pair{"ENGLISH", "Anglicky"},
                                     std::pair{"GERMAN", "Německy"}, std::pair{"CZECH", "Česky"}})
        settings.write_string(QStringLiteral("LANGUAGE"), QLatin1String(code),
                              QString::fromUtf8(name));
    TfmLangSelect languages;
    languages.show();
    settle();
    saved &= save(with_caption(languages), out, QStringLiteral("language_choice"));

    TAboutBox about;
    about.show();
    settle();
    saved &= save(with_caption(about), out, QStringLiteral("about_box"));
    return saved;
}

// The calculators window with its editor, the runner in test mode with a result, with a
// faulty script and in choice mode, and the history drop-down of the document title.
bool save_calculator_windows(const QDir &out)
{
    const QString area = QStringLiteral(
        "; plocha obdélníku\r\ntitle: Plocha\r\nvar\r\na: \"strana a\"\r\nb: \"strana b\" ; v metrech\r\n"
        "formula\r\na*b\r\n");
    const QString cylinder = QStringLiteral(
        "title: Objem válce\r\nvar\r\nr: poloměr\r\nv: výška\r\nformula\r\n3,14159265*r^2*v\r\n");
    const QString margin = QStringLiteral(
        "title: Cena s přirážkou\r\nvar\r\ncena: nákupní cena\r\np: přirážka v %\r\nformula\r\n"
        "cena*(1+p/100)\r\n");
    dbAPI->exec_sql(QStringLiteral("INSERT INTO USER_CALC VALUES (9001, 'Plocha', %1, 'T')")
                        .arg(sql_quote(area)));
    dbAPI->exec_sql(QStringLiteral("INSERT INTO USER_CALC VALUES (9002, 'Objem válce', %1, 'T')")
                        .arg(sql_quote(cylinder)));
    dbAPI->exec_sql(QStringLiteral("INSERT INTO USER_CALC VALUES (9003, 'Cena s přirážkou', %1, 'F')")
                        .arg(sql_quote(margin)));
    bool saved = true;
    {
        TfUserCalc window;
        window.resize(900, 420);
        window.show();
        settle();
        saved &= save(with_caption(window), out, QStringLiteral("user_calculators"));
        TfCalcEdit editor(TfCalcEdit::Edit, window.record_set(), &window);
        editor.show();
        settle();
        saved &= save(with_caption(editor), out, QStringLiteral("calculator_editor"));
        editor.reject();
        TfCalcEdit fresh(TfCalcEdit::Add, window.record_set(), &window);
        fresh.show();
        settle();
        saved &= save(with_caption(fresh), out, QStringLiteral("calculator_editor_new"));
        fresh.reject();
    }
    const auto runner_picture = [&](const QString &script, const QStringList &values,
                                    const QString &name) {
        TfCalc runner(0);
        runner.hide_list();
        runner.load_script(script);
        for (int i = 0; i < values.size() && i < int(runner.inputs().size()); ++i)
            runner.inputs()[size_t(i)]->setText(values[i]);
        runner.compute();
        runner.adjustSize();
        runner.show();
        settle();
        saved &= save(runner.grab().toImage(), out, name);
    };
    runner_picture(area, {QStringLiteral("12,5"), QStringLiteral("1234")},
                   QStringLiteral("calculator_runner"));
    runner_picture(QStringLiteral("title: Cena za kus\r\nvar\r\ncena: cena celkem\r\n"
                                  "ks: počet kusů\r\nformula\r\ncena/ks\r\n"),
                   {QStringLiteral("1500"), QStringLiteral("0")},
                   QStringLiteral("calculator_runner_fault"));
    runner_picture(QStringLiteral("title: Chyba\r\nvar\r\nx: číslo\r\nformula\r\nx*+2\r\n"), {},
                   QStringLiteral("calculator_runner_rejected"));
    {
        TfCalc choice(250);
        add_calculator_choice(&choice, QStringLiteral("Objem válce"), cylinder);
        add_calculator_choice(&choice, QStringLiteral("Plocha"), area);
        choice.adjustSize();
        choice.show();
        settle();
        saved &= save(choice.grab().toImage(), out, QStringLiteral("calculator_choice"));
    }
    for (const char *text : {"Oprava střechy dle objednávky č. 12", "Práce dle objednávky",
                             "Předplatné časopisu Žatecký chmel", "Pronájem lešení"})
        store_history(QStringLiteral("edit_doc_title"), QString::fromUtf8(text));
    Tfhistory history(history_field_key(QStringLiteral("edit_doc_title")));
    history.resize(520, 200);
    history.show();
    settle();
    saved &= save(history.grab().toImage(), out, QStringLiteral("history_drop_down"));
    return saved;
}

} // namespace

// A demo invoice with the firm's logo, a stamp, a stored rich text, an item table, a QR
// payment code and Czech texts, in the preview at whole page and at page width; then the
// mail dialog as it opens for preparing only and for the own mail service.
bool save_report_windows(const QDir &out)
{
    MemoryDataSource header({"DOC_NO", "PARTNER", "ADDRESS", "ISSUED_D", "DUE_D", "VAR_SYMBOL"});
    header.add_row({QStringLiteral("2026001"), QStringLiteral("Dvořák a syn, s.r.o."),
                    QStringLiteral("Náměstí Míru 12, 120 00 Praha 2"), QDate(2026, 3, 15),
                    QDate(2026, 3, 29), QStringLiteral("2026001")});
    MemoryDataSource items({"NAME", "AMOUNT", "UNIT", "PRICE", "TOTAL"});
    const QStringList names = {"Montáž a oživení zařízení", "Školení obsluhy",
                               "Kabeláž, 3 žíly, měď", "Doprava – Brno a zpět",
                               "Údržba dle smlouvy č. 14/2026"};
    for (int i = 0; i < 12; ++i) {
        const double amount = 1 + i % 4;
        const double price = 450.0 + 125.5 * i;
        items.add_row({names[i % names.size()], amount, QStringLiteral("ks"), price,
                       amount * price});
    }
    MemoryDataSource firm({"NAME", "STREET", "CITY", "ICO"});
    firm.add_row({QStringLiteral("Účetní Novák s.r.o."), QStringLiteral("Školní 8"),
                  QStringLiteral("602 00 Brno"), QStringLiteral("12345678")});

    Tfpreview preview;
    preview.setWindowTitle(QStringLiteral("   Faktura – daňový doklad 2026001"));
    Report &report = preview.report().report();
    try {
        report.load(QStringLiteral(TALLYRA_DEMO_TEMPLATES "/invoice.frf"));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "cannot load the demo invoice: %s\n", error.what());
        return false;
    }
    QTextEdit rich;
    fill_rich_text(rich);
    if (ReportObject *text = report.find_object(QStringLiteral("RichText")))
        text->set_rich_text(*rich.document());
    QImage stamp(320, 160, QImage::Format_ARGB32);
    stamp.fill(Qt::transparent);
    {
        QPainter painter(&stamp);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(30, 60, 170), 6));
        painter.drawRoundedRect(stamp.rect().adjusted(6, 6, -6, -6), 20, 20);
        painter.setFont(QFont(QStringLiteral("Liberation Sans"), 22, QFont::Bold));
        painter.drawText(stamp.rect(), Qt::AlignCenter,
                         QStringLiteral("Účetní Novák s.r.o.\nIČ 12345678"));
    }
    if (ReportObject *picture = report.find_object(QStringLiteral("stamp")))
        picture->set_picture(stamp);
    report.register_source(QStringLiteral("frrepo_HEADER"), &header);
    report.register_source(QStringLiteral("frrepo_ITEMS"), &items);
    report.register_source(QStringLiteral("frCONF"), &firm);
    if (!preview.prepare_report())
        return false;
    preview.resize(1000, 760);
    preview.show();
    settle();
    bool saved = true;
    preview.actPageWholeExecute();
    settle();
    saved &= save(with_caption(preview), out, QStringLiteral("preview_whole_page"));
    preview.actPageWidthExecute();
    settle();
    saved &= save(with_caption(preview), out, QStringLiteral("preview_page_width"));
    preview.close();

    // The journal by category over ten thousand rows: the group table and the page counter.
    MemoryDataSource journal({"GRP_ID", "GRP_NAME", "DATE_D", "DOC_NO", "TEXT", "INCOME",
                              "OUTCOME"});
    const QStringList categories = {"Tržby za zboží", "Nákup materiálu", "Nájemné",
                                    "Energie", "Cestovné"};
    for (int i = 0; i < 10000; ++i) {
        const int category = i * int(categories.size()) / 10000;
        const double amount = 100.0 + (i * 7919 % 100000) / 10.0;
        const bool income = i % 3 == 0;
        journal.add_row({category + 1, categories[category], QDate(2026, 1, 1).addDays(i / 28),
                         QStringLiteral("V%1").arg(2026000 + i),
                         QStringLiteral("Úhrada faktury č. %1 – dodávka dle objednávky").arg(i),
                         income ? QVariant(amount) : QVariant(),
                         income ? QVariant() : QVariant(amount)});
    }
    Tfpreview book;
    book.setWindowTitle(QStringLiteral("   Peněžní deník – sestava s mezisoučty za členění"));
    try {
        book.report().report().load(QStringLiteral(TALLYRA_DEMO_TEMPLATES "/journal.frf"));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "cannot load the demo journal: %s\n", error.what());
        return false;
    }
    book.report().report().register_source(QStringLiteral("frrepo_TE"), &journal);
    if (!book.prepare_report())
        return false;
    book.resize(1000, 760);
    book.show();
    book.actPageWidthExecute();
    settle();
    saved &= save(with_caption(book), out, QStringLiteral("preview_journal_page_width"));
    book.close();

    MailSettings settings;
    settings.recipient = QStringLiteral("ucetni@dvorak-syn.cz");
    saved &= write_mail_settings(settings);
    {
        TfmMail dialog;
        dialog.show();
        settle();
        saved &= save(with_caption(dialog), out, QStringLiteral("mail_dialog_prepare_only"));
    }
    {
        TfmMail dialog(nullptr, true);
        dialog.show();
        settle();
        saved &= save(with_caption(dialog), out, QStringLiteral("mail_dialog_invoice_isdoc"));
    }
    settings.send_type = stMailService;
    settings.password_check = true;
    settings.password = QStringLiteral("heslo");
    settings.smtp_server = QStringLiteral("smtp.seznam.cz");
    settings.smtp_port = 465;
    settings.smtp_check = true;
    settings.smtp_username = QStringLiteral("fakturace@ucetni-novak.cz");
    settings.smtp_password = QStringLiteral("tajné");
    saved &= write_mail_settings(settings);
    {
        TfmMail dialog;
        dialog.show();
        settle();
        saved &= save(with_caption(dialog), out, QStringLiteral("mail_dialog_own_service"));
    }
    return saved;
}

// The parameter dialog in each of its modes, on the demo database.
bool save_report_parameter_dialogs(const QDir &out)
{
    const struct {
        ReportMode mode;
        const char *file;
    } modes[] = {
        {ReportMode::Year, "report_parameters_year"},
        {ReportMode::DocumentList, "report_parameters_documents"},
        {ReportMode::PartnerDocuments, "report_parameters_partner_documents"},
        {ReportMode::Catalogue, "report_parameters_catalogue"},
        {ReportMode::Sales, "report_parameters_sales"},
        {ReportMode::PartnerList, "report_parameters_partners"},
        {ReportMode::CashVouchers, "report_parameters_cash_vouchers"},
    };
    TdbAPI api;
    if (!api.open_database())
        return false;
    bool saved = true;
    for (const auto &mode : modes) {
        TfSetWhere dialog(mode.mode, 1);
        dialog.show();
        settle();
        saved &= save(with_caption(dialog), out, QLatin1String(mode.file));
    }
    return saved;
}

// Acts on the next modal window that comes to the front, from inside its event loop; gives
// up after two seconds.
void on_next_modal(const std::function<void(QWidget *)> &action, int tries = 200)
{
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer::singleShot(10, qApp, [action, before, tries] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != before && modal->isVisible())
            action(modal);
        else if (tries > 0)
            on_next_modal(action, tries - 1);
    });
}

// Every list report on the demo database, its parameter dialog confirmed as it opens: the
// preview's first page on screen, and the first page of its PDF as pdftoppm draws it.
bool save_list_reports(const QDir &out)
{
    QDir lib(app_dir());
    lib.mkpath(QStringLiteral("Lib"));
    const QDir templates(QStringLiteral(TALLYRA_REPORT_TEMPLATES));
    for (const QString &name : templates.entryList({QStringLiteral("*.frf")})) {
        QFile::remove(lib.filePath(QStringLiteral("Lib/") + name));
        QFile::copy(templates.filePath(name), lib.filePath(QStringLiteral("Lib/") + name));
    }
    TdbAPI api;
    if (!api.open_database())
        return false;
    const auto first_recid = [&api](const char *select) {
        const ScopedSet rows = api.select_scoped(QStringLiteral("X"), QLatin1String(select));
        return rows && !rows->is_empty() ? rows->field(0).as_integer() : 0;
    };
    // A partner with documents, addresses and contacts to show.
    const int partner = first_recid("SELECT ID_PARTNER FROM VIEW_DOC_ALL WHERE ID_DOC_TYPE=1 "
                                    "ORDER BY RECID");
    const int invoice = first_recid("SELECT H.RECID FROM DOC_HEAD H WHERE ID_DOC_TYPE=1 AND "
                                    "EXISTS (SELECT 1 FROM DOC_ITEMS I WHERE I.HEADER_ID=H.RECID)");
    const int bare_invoice = first_recid("SELECT H.RECID FROM DOC_HEAD H WHERE ID_DOC_TYPE=1 AND "
                                         "NOT EXISTS (SELECT 1 FROM DOC_ITEMS I WHERE "
                                         "I.HEADER_ID=H.RECID)");
    const int cash_entry = first_recid("SELECT RECID FROM TE WHERE INCOME > 0");
    const int product = first_recid("SELECT RECID FROM PRO");
    const struct {
        const char *name;
        std::function<void()> print;
        bool asks;
    } reports[] = {
        {"summary", run_summary, false},
        {"doc_list", [] { print_document_list(1); }, true},
        {"doc_list_par", [partner] { print_partner_documents(partner); }, true},
        {"te", print_tax_records, true},
        {"te_bank", print_tax_records_by_account, true},
        {"te_grp", print_tax_records_by_category, true},
        {"te_curr", print_tax_records_by_currency, true},
        {"cash", print_cash_voucher_list, true},
        {"cat", print_catalogue, true},
        {"cat_sales", print_sales, true},
        {"part_list", [] { print_partner_list(QStringLiteral("Seznam partnerů")); }, true},
        {"view", [] { print_table(QStringLiteral("Měny a kurzy"), QStringLiteral("CURR_LIST"),
                                  QStringLiteral("SELECT * FROM CURR_LIST")); }, false},
        {"doc_1p", [invoice] { print_issued_invoice(invoice); }, false},
        {"doc_1", [bare_invoice] { print_issued_invoice(bare_invoice); }, false},
        {"doc_1pd", [&api, invoice] {
             QTextDocument text;
             text.setPlainText(QStringLiteral("Děkujeme za Vaši objednávku. Zboží zůstává až do "
                                              "úplného zaplacení majetkem dodavatele."));
             api.write_rtf(invoice, &text);
             print_issued_invoice(invoice);
         }, false},
        {"doc_2", [&] { print_received_invoice(first_recid("SELECT RECID FROM DOC_HEAD WHERE ID_DOC_TYPE=2")); }, false},
        {"doc_3", [&] { print_issued_credit_note(first_recid("SELECT RECID FROM DOC_HEAD WHERE ID_DOC_TYPE=3")); }, false},
        {"doc_4", [&] { print_received_credit_note(first_recid("SELECT RECID FROM DOC_HEAD WHERE ID_DOC_TYPE=4")); }, false},
        {"te_cash", [&api, cash_entry] {
             prepare_voucher(api, cash_entry, true);
             voucher_details().number = QStringLiteral("P0042");
             voucher_details().name = QStringLiteral("Stavby Novák a syn");
             voucher_details().address = QStringLiteral("Dlouhá 5, 779 00 Olomouc");
             print_income_voucher(cash_entry);
         }, false},
        {"cat_item", [product] { print_catalogue_item(product); }, false},
        {"part_detail", [partner] { print_partner(QStringLiteral("Tisk vybraného partnera"), partner); }, false},
        {"part_cont", [partner] { print_partner_contacts(QStringLiteral("Tisk kontaktů vybraného partnera"), partner); }, false},
    };
    bool saved = true;
    for (const auto &report : reports) {
        const QString name = QStringLiteral("report_") + QLatin1String(report.name);
        bool shown = false;
        const auto read_preview = [&](QWidget *modal) {
            auto *preview = qobject_cast<Tfpreview *>(modal);
            if (!preview)
                return;
            shown = true;
            preview->resize(1000, 1100);
            preview->actPageWholeExecute();
            settle();
            saved &= save(with_caption(*preview), out, name);
            const QString pdf = out.filePath(name + QStringLiteral(".pdf"));
            try {
                TfrTNPDFExportFilter filter(pdf_options_provider());
                export_to_file(preview->prepared(), filter, pdf);
                saved &= QProcess::execute(QStringLiteral("pdftoppm"),
                                           {QStringLiteral("-png"), QStringLiteral("-r"),
                                            QStringLiteral("100"), QStringLiteral("-singlefile"),
                                            pdf, out.filePath(name + QStringLiteral("_pdf"))}) == 0;
            } catch (const std::exception &error) {
                std::fprintf(stderr, "%s: %s\n", report.name, error.what());
                saved = false;
            }
            preview->close();
        };
        if (report.asks)
            on_next_modal([&](QWidget *dialog) {
                on_next_modal(read_preview);
                if (auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("BitBtnOK")))
                    ok->click();
            });
        else
            on_next_modal(read_preview);
        report.print();
        settle();
        if (!shown) {
            std::fprintf(stderr, "%s: no preview\n", report.name);
            saved = false;
        }
    }
    return saved;
}

// The tax-records book on an entry in EUR with a voucher, the entry editor as a new entry,
// as a payment of an issued invoice and as a correction of a payment in EUR, and the
// voucher dialog.
bool save_journal_windows(const QDir &out)
{
    bool saved = true;
    dbAPI->exec_sql(QStringLiteral(
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, DOC_TITLE, ALL_SUM, ROUND_SUM, "
        "CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
        "(990000001, 1, 2026901, '2026-03-02', 'Okna a dveře pro O''Briena', 12500, 12500, "
        "'Kč', 1, 1.0), "
        "(990000002, 1, 2026902, '2026-03-05', 'Montáž ve Vídni', 1500, 1500, 'EUR', 1, 24.5)"));
    JournalEntry euro;
    euro.doc_id = 990000002;
    euro.date = QDate(2026, 3, 14);
    euro.doc_no = QStringLiteral("2026902");
    euro.grp_id = 1;
    euro.text = QStringLiteral("Montáž ve Vídni");
    {
        ScopedSet accounts = dbAPI->select_scoped(QStringLiteral("X"),
                                                  QStringLiteral("SELECT RECID FROM CONF_BANKCASH"));
        euro.cash_id = accounts && !accounts->is_empty() ? accounts->field(0).as_integer() : 0;
    }
    euro.origin_curr = QStringLiteral("EUR");
    euro.curr_kurs = 24.5;
    euro.income = 1000;
    const int euro_entry = euro.save(*dbAPI);
    if (prepare_voucher(*dbAPI, euro_entry, true)) {
        voucher_details().number = QStringLiteral("12");
        voucher_details().name = QStringLiteral("Huber GmbH");
        store_voucher(*dbAPI);
    }

    TfTE book(euro_entry);
    book.resize(1180, 680);
    book.show();
    settle();
    saved &= save(with_caption(book), out, QStringLiteral("tax_records_book"));

    TMemTable *set = book.record_set();
    {
        set->append();
        TfTeEdit editor(TfTeEdit::Add, set, 0, &book);
        editor.show();
        settle();
        saved &= save(with_caption(editor), out, QStringLiteral("entry_editor_new"));
        editor.reject();
    }
    {
        set->append();
        TfTeEdit editor(TfTeEdit::Add, set, 990000001, &book);
        editor.show();
        settle();
        saved &= save(with_caption(editor), out, QStringLiteral("entry_editor_payment"));
        editor.reject();
    }
    {
        dbAPI->locate_recid(euro_entry, set);
        TfTeEdit editor(TfTeEdit::Edit, set, 0, &book);
        editor.show();
        settle();
        saved &= save(with_caption(editor), out, QStringLiteral("entry_editor_euro_correction"));
        editor.reject();
    }
    if (const std::optional<VoucherEntry> entry = prepare_voucher(*dbAPI, euro_entry, true)) {
        TfPreTeDoc dialog(*entry, true, &book);
        dialog.show();
        settle();
        saved &= save(with_caption(dialog), out, QStringLiteral("voucher_dialog"));
        dialog.reject();
    }
    return saved;
}

// The review of a bank statement: payments found by variable symbol, one paying more than
// the invoice awaits, a partial payment and a fee without a document.
bool save_bank_import_window(const QDir &out)
{
    dbAPI->exec_sql(QStringLiteral("INSERT INTO CONF_BANKCASH (RECID, IS_BANK, MNAME, MNO) VALUES "
                                   "(990000101, 'T', 'Běžný účet ČSOB', '19-2000145399/0300')"));
    dbAPI->exec_sql(QStringLiteral(
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, DOC_TITLE, ALL_SUM, ROUND_SUM, "
        "CURR_NAME, CURR_AMOUNT, CURR_KURS) VALUES "
        "(990000111, 1, 2026911, '2026-03-02', 'Okna', 12500, 12500, 'Kč', 1, 1.0), "
        "(990000112, 1, 2026912, '2026-03-03', 'Dveře', 8000, 8000, 'Kč', 1, 1.0), "
        "(990000113, 2, 2026913, '2026-03-04', 'Sklo', 3200, 3200, 'Kč', 1, 1.0)"));
    dbAPI->exec_sql(QStringLiteral("INSERT INTO DOC_DRS1 (RECID, VAR_S) VALUES "
                                   "(990000111, '2026911'), (990000112, '2026912')"));
    dbAPI->exec_sql(
        QStringLiteral("INSERT INTO DOC_DRS2 (RECID, VAR_S) VALUES (990000113, '0000771')"));
    const auto movement = [](const char *symbol, long long cents, bool credit, const char *name,
                             int day) {
        BankMovement m;
        m.line = day - 8;
        m.transaction_id = QString::number(day);
        m.variable_symbol = QString::fromLatin1(symbol);
        m.amount_cents = cents;
        m.credit = credit;
        m.currency = QStringLiteral("CZK");
        m.value_date = QDate(2026, 3, day);
        m.counter_name = QString::fromUtf8(name);
        m.counter_account = QStringLiteral("123456789/0100");
        return m;
    };
    BankStatement statement;
    statement.account = QStringLiteral("19-2000145399");
    statement.date = QDate(2026, 3, 15);
    statement.old_balance_cents = 5000000;
    statement.movements = {movement("2026911", 1300000, true, "Dvořák Jiří", 10),
                           movement("2026912", 300000, true, "Řezníček a syn", 11),
                           movement("771", 320000, false, "Sklárny Šťastný", 12),
                           movement("", 9900, false, "Poplatek za vedení", 15)};
    statement.new_balance_cents = 5000000 + 1300000 + 300000 - 320000 - 9900;
    const ImportReading reading = propose_bank_import(*dbAPI, statement);
    if (!reading.ok()) {
        std::fprintf(stderr, "screenshots: %s\n", qPrintable(reading.error));
        return false;
    }
    TfBankImport review(*dbAPI, reading.import);
    review.show();
    settle();
    review.view()->setCurrentIndex(review.view()->model()->index(1, BankImportModel::colDate));
    settle();
    const bool saved = save(with_caption(review), out, QStringLiteral("bank_import_review"));
    review.reject();
    return saved;
}

// The main window with the tax-records book open, as the start command leaves it.
bool save_main_window_with_book(Tfm_main &window, const QDir &out)
{
    QMdiSubWindow *sub = window.add_child_window(new TfTE);
    sub->showMaximized();
    settle();
    const bool saved = save(with_caption(window), out, QStringLiteral("main_window_tax_records"));
    sub->close();
    settle();
    return saved;
}

// The four graphs of the demo year.
bool save_graphs(const QDir &out)
{
    TdbAPI api;
    if (!api.open_database())
        return false;
    Tfgrph window(QStringLiteral("2026"));
    window.resize(1000, 700);
    window.show();
    bool saved = true;
    for (int index = 0; index < 4; ++index) {
        window.build_chart(index);
        settle();
        saved &= save(with_caption(window), out, QStringLiteral("graph_%1").arg(index));
    }
    return saved;
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setWindowIcon(program_icon());
    install_czech_qt_texts();
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots OUTDIR\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    QTemporaryDir temp;
    set_decimal_separator(u',');
    set_short_date_format(QStringLiteral("d.M.yyyy"));
    set_fixed_today(QDate(2026, 3, 15));
    if (!temp.isValid() || !prepare_demo_folder(temp)) {
        std::fprintf(stderr, "cannot prepare the demo database: %s\n", dm_last_error());
        return 1;
    }
    install_message_dialog();
    register_masterdata_windows();
    register_taxrecords_windows();

    bool saved = true;
    {
        Tfm_main window;
        // The offscreen screen is small; on a usual screen the tree gets its widest.
        window.resize(main_window_size);
        window.findChild<QSplitter *>()->setSizes({288, main_window_size.width() - 288});
        window.show();
        QMdiSubWindow *book = window.add_child_window(journal_window());
        book->showMaximized();
        window.main_command(1);
        settle();
        window.set_status_hint(QStringLiteral("Daňová evidence|Ins - nový, Enter - oprava"));
        settle();
        saved &= save(with_caption(window), out, QStringLiteral("main_window"));

        const QList<QAction *> menus = window.main_menu()->actions();
        for (int index = 0; index < menus.size(); ++index) {
            QMenu *menu = menus[index]->menu();
            if (!menu || !menus[index]->isVisible())
                continue;
            menu->popup(QPoint(0, 0));
            // One item shown as under the pointer.
            menu->setActiveAction(menu->actions().value(0));
            settle();
            saved &= save(menu->grab().toImage(), out, QStringLiteral("menu_%1").arg(index + 1));
            menu->hide();
        }
        window.popup_menu()->popup(QPoint(0, 0));
        settle();
        saved &= save(window.popup_menu()->grab().toImage(), out, QStringLiteral("popup_menu"));
        window.popup_menu()->hide();
        saved &= save_code_list_windows(out);
        saved &= save_partner_windows(window, out);
        saved &= save_product_windows(out);
        saved &= save_document_windows(out);
        saved &= save_document_books(out);
        saved &= save_settings_windows(out, temp);
        saved &= save_calculator_windows(out);
        saved &= save_journal_windows(out);
        saved &= save_bank_import_window(out);
        saved &= save_main_window_with_book(window, out);

        for (const Message &message : messages) {
            TfmDialog dialog(&window);
            dialog.set_message(message.title, message.text, message.style, message.fatal,
                               message.help_topic);
            dialog.show();
            settle();
            saved &= save(with_caption(dialog), out, QLatin1String(message.file));
            dialog.close();
        }
        set_program_ending(false);
    }

    const QString proposal = QDir::home().filePath(QStringLiteral(".local/share/tallyra/tallyra.db"));
    TfmNewDatabase question(proposal, {});
    question.show();
    settle();
    saved &= save(with_caption(question), out, QStringLiteral("new_database"));
    TfmNewDatabase after_failure(
        proposal, QStringLiteral("Databázi %1 se nepodařilo otevřít. Soubor není databáze SQLite "
                                 "nebo je poškozený: %1")
                      .arg(proposal));
    after_failure.show();
    settle();
    saved &= save(with_caption(after_failure), out, QStringLiteral("new_database_after_failure"));

    saved &= save_rich_and_picture_windows(out);
    saved &= save_report_windows(out);
    saved &= save_report_parameter_dialogs(out);
    saved &= save_list_reports(out);
    saved &= save_graphs(out);
    return saved ? 0 : 1;
}
