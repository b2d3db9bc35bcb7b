#pragma once
// The windows of the application shell that the main window's commands open: settings,
// logo and stamp, the guide and the about box.

void register_app_windows();
