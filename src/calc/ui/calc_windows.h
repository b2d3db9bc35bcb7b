#pragma once
// The calculator windows that the main window opens: the calculators window under its key
// "USER_CALC" and the history drop-down of text fields.

void register_calc_windows();
