#pragma once
// The data module reports a refused insert or update as fatal, which is right outside the
// editors (start-up, restore).  An editor's user still has the window with everything
// typed: while a NonFatalMessages lives, every message is shown as the error it is and
// the program goes on.  The program's ending flag is put back as it was found.

#include "data/messages.h"

class NonFatalMessages {
public:
    NonFatalMessages();
    ~NonFatalMessages();
    NonFatalMessages(const NonFatalMessages &) = delete;
    NonFatalMessages &operator=(const NonFatalMessages &) = delete;

private:
    MessageHandler m_outer;
    bool m_was_ending;
};
