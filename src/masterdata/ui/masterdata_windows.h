#pragma once
// The master-data windows that the main window's commands open: the code lists, and (as
// they come) partners and products.

void register_masterdata_windows();
