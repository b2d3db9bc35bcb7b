#pragma once
// The two hooks every user-interface text passes through: translate_text for single
// texts, localize_component for a window and everything it owns.

#include <QString>

class QObject;

// The text trimmed.  A text without an owner comes from the data-manager library; its
// unique-key failures get a sentence the user can act on.
QString translate_text(const QObject *owner, const QString &text);

// Runs translate_text over the captions and hints of the object and of every object it
// owns: window titles, commands, menu items, buttons, labels, group boxes, tab pages and
// tree nodes.  A command without a hint gets its caption as hint.
void localize_component(QObject *component);
