#pragma once
// Splits RTF bytes into braces, control words, control symbols, hex-escaped bytes and runs of
// plain text.  It never fails: whatever the bytes are, it moves forward and ends.

#include <QByteArrayView>

enum class RtfTokenKind {
    GroupOpen,
    GroupClose,
    ControlWord,
    ControlSymbol,
    HexByte,
    Text,
    End,
};

struct RtfToken {
    RtfTokenKind kind = RtfTokenKind::End;
    // The control word's letters, or the bytes of a text run (never CR, LF or a brace).
    QByteArrayView text;
    bool has_parameter = false;
    // The control word's parameter, clamped to the int range; the byte of a HexByte; the
    // character of a ControlSymbol.
    int parameter = 0;
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView input) : m_input(input) {}

    RtfToken next();

private:
    RtfToken control();
    RtfToken control_word();
    RtfToken text_run();

    QByteArrayView m_input;
    qsizetype m_pos = 0;
};
