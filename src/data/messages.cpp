#include "data/messages.h"

namespace {
MessageHandler &installed_handler()
{
    static MessageHandler handler;
    return handler;
}
bool ending = false;
} // namespace

MessageHandler set_message_handler(MessageHandler handler)
{
    MessageHandler previous = std::move(installed_handler());
    installed_handler() = std::move(handler);
    return previous;
}

int show_message(const QString &title, const QString &text, int style, bool fatal,
                 int help_topic)
{
    int result = mrCancel;
    if (installed_handler())
        result = installed_handler()(title, text, style, fatal, help_topic);
    if (fatal)
        ending = true;
    return result;
}

bool program_ending()
{
    return ending;
}

void set_program_ending(bool value)
{
    ending = value;
}
