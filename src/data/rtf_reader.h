#pragma once
// Reads RTF, the stored form of document texts, into Qt's rich text: paragraphs with their
// alignment and bullets or numbering, and runs with bold, italic, underline, font, size and
// colour.  Pictures, tables' structure, headers, footnotes and the like are passed over.

#include <QByteArrayView>

class QTextDocument;

// Replaces the document's content by the text read, as a freshly opened text: the load is
// not an undoable step and the undo history starts anew.  Returns false and leaves the document
// untouched when the data is not RTF at all.  Damaged RTF (unbalanced braces, a cut-off file, junk)
// gives whatever could be read.
bool read_rtf_into(QTextDocument &document, QByteArrayView rtf);
