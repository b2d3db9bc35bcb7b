#pragma once
// The reports that the main window's commands and the code lists print: the summary and
// "Tisk této tabulky".  The books, partners and products call the list reports of
// list_reports.h from their own commands.

void register_reports_windows();
