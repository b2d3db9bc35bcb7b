#include "data/non_fatal_messages.h"

NonFatalMessages::NonFatalMessages() : m_was_ending(program_ending())
{
    m_outer = set_message_handler(
        [this](const QString &title, const QString &text, int style, bool, int help_topic) {
            return m_outer ? m_outer(title, text, style, false, help_topic) : int(mrCancel);
        });
}

NonFatalMessages::~NonFatalMessages()
{
    set_message_handler(std::move(m_outer));
    set_program_ending(m_was_ending);
}
