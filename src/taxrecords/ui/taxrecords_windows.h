#pragma once

// Registers the tax-records book under its key "TE".
void register_taxrecords_windows();
