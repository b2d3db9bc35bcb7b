#pragma once
// Context help of the windows: each window carries a help topic, F1 and its "Nápověda"
// button send a help request with it, and the window host shows the topic in the help
// the user has chosen.

class QKeyEvent;
class QWidget;

void set_help_topic(QWidget *window, int topic);
// The topic of the widget or, when it has none, of the nearest parent that has one.
int help_topic(const QWidget *widget);

// Sends a help request with the window's topic.
void show_help(QWidget *window);

// F1 becomes show_help for the window; true when the key was consumed.
bool help_key(QWidget *window, const QKeyEvent *event);
// Lets the window answer F1 by itself, wherever the focus is inside it.
void install_help_key(QWidget *window);
