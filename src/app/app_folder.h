#pragma once
// The application folder may be moved away from the executable's own folder with the
// environment variable TALLYRA_APP_DIR: a portable installation, or a test that needs its
// own settings, connection and help files.

// Applies TALLYRA_APP_DIR when it is set.
void apply_app_folder_override();
