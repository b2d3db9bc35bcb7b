#pragma once
// The commands of the main window (its ActionList): caption, hint, image and what each one
// does.  The menus, the pop-up menu and the tree all run these.

#include <QString>
#include <vector>

enum class CommandEffect {
    BookWindow,      // the window of `key`, once
    CodeList,        // the code list of table `key` with help topic `number`
    NewDocument,     // a new document of type `number` with the choice `choice`
    ForeignDocument, // the currency choice, then a new document of type `number`
    LogoStamp,
    Backup,
    Restore,
    Summary,
};

struct CommandDefinition {
    QString name;
    QString caption;
    QString hint;
    int image;
    CommandEffect effect;
    QString key = {};
    int number = 0;
    int choice = 0;
};

const std::vector<CommandDefinition> &command_definitions();
