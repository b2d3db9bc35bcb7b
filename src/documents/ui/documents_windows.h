#pragma once
// Registers the four document books (keys "DOC1" to "DOC4") and the main window's
// new-document commands.

void register_documents_windows();
