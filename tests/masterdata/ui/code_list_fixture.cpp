#include "masterdata/ui/code_list_fixture.h"

#include "masterdata/ui/fselector.h"
#include "support/modal_driver.h"
#include "widgets/appearance.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

const int poll_interval_ms = 10;
const int timeout_ms = 5000;

Tfm_selector *shown_selector()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *selector = qobject_cast<Tfm_selector *>(window);
            selector && selector->isVisible())
            return selector;
    return nullptr;
}

void poll_selector(const std::function<void(Tfm_selector &)> &action, QElapsedTimer started)
{
    if (Tfm_selector *selector = shown_selector()) {
        action(*selector);
        if (selector->choice() == Tfm_selector::Undecided)
            selector->decide(Tfm_selector::Cancelled);
        return;
    }
    if (started.elapsed() > timeout_ms) {
        ADD_FAILURE() << "no selector appeared";
        return;
    }
    QTimer::singleShot(poll_interval_ms, qApp,
                       [action, started] { poll_selector(action, started); });
}

} // namespace

void type_into(QWidget *window, const QString &field, const QString &text)
{
    auto *control = window->findChild<QWidget *>(field);
    ASSERT_NE(control, nullptr) << "no control " << qPrintable(field);
    // The text goes after what the field holds, whether or not the field took the focus
    // (and with it a selection of its text) when the editor was shown.
    if (auto *line = qobject_cast<QLineEdit *>(control))
        line->end(false);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(control))
        memo->moveCursor(QTextCursor::End);
    else if (auto *rich = qobject_cast<QTextEdit *>(control))
        rich->moveCursor(QTextCursor::End);
    // The test library types Latin-1 only; other letters come as the key's text alone.
    for (const QChar character : text) {
        if (character.unicode() < 128)
            QTest::keyClick(control, character.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
}

void answer_editor(const std::function<void(Tfm_listedit &)> &action)
{
    ModalDriver::on_next_modal([action](QWidget *modal) {
        auto *editor = qobject_cast<Tfm_listedit *>(modal);
        if (!editor) {
            ADD_FAILURE() << "the modal window is no list editor";
            modal->close();
            return;
        }
        action(*editor);
        if (editor->isVisible())
            editor->reject();
    });
}

int CodeListFixture::edit_with(int mode, TMemTable *set, const QString &table,
                               const list_edit_hook &hook,
                               const std::function<void(Tfm_listedit &)> &action)
{
    answer_editor(action);
    return edit_list_record(mode, set, table, hook, 408,
                            mode == 0 ? QStringLiteral("Přidat záznam")
                                      : QStringLiteral("Opravit záznam"));
}

void on_next_selector(const std::function<void(Tfm_selector &)> &action)
{
    QElapsedTimer started;
    started.start();
    QTimer::singleShot(poll_interval_ms, qApp,
                       [action, started] { poll_selector(action, started); });
}

void CodeListFixture::SetUp()
{
    DbFixture::SetUp();
    reload_appearance();
}
