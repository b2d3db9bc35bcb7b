#pragma once
// Writes Qt's rich text as RTF, the stored form of document texts, so that other programs
// (Word, LibreOffice, WordPad) open it with its formatting: paragraphs with alignment and
// bullets or numbering, runs with bold, italic, underline, font, size and colour.  Czech
// letters are written in Windows-1250, anything else as Unicode with a '?' fallback.

#include <QByteArray>

class QTextDocument;

QByteArray rtf_from_document(const QTextDocument &document);
