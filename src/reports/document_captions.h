#pragma once
// The printed captions of invoices and credit notes: texts the program writes into named
// objects of the template, then replaced by the words of the invoice language from the
// settings file, where every caption key a translator has to fill in collects itself.

#include <QString>

class IniFile;
class Report;
class TMemTable;

// The whole text of the named object (an empty pattern), or the first occurrence of the
// pattern in it, letter case aside; a template without the object is left as it is.
void set_report_text(Report &report, const QString &object, const QString &text,
                     const QString &pattern = {});

// The value of key object + suffix in section `language` into the object like
// set_report_text; then every "~" of the object's text becomes a line break and every "|" a
// space.  A missing key is written there with its default, or the key itself; while a key
// holds its own name the object keeps its Czech caption.
void translate_caption(IniFile &settings, const QString &language, Report &report,
                       const QString &object, const QString &pattern,
                       const QString &default_value, const QString &suffix = {});

// The bank, account, SWIFT, IBAN and the payment symbols of the header's current row as
// field expressions, each line ending in CR LF; lines without a value are left out.
QString bank_link_text(const TMemTable &header);
// The customer's invoicing address of the header as expressions, and below it the delivery
// address under its caption when the document has one.
QString shipping_address_text(bool with_delivery);

// The Czech captions of the invoice and credit-note templates, then their translation into
// `language` when it is not empty.
void write_document_captions(Report &report, const TMemTable &header, bool with_delivery,
                             IniFile &settings, const QString &language);
