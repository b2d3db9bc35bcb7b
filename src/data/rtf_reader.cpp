#include "data/rtf_reader.h"

#include "data/rtf_code_page.h"
#include "data/rtf_tokenizer.h"

#include <QColor>
#include <QFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// Deeper groups than this are read as if they were part of the deepest kept one, so a
// hostile nest of braces costs neither stack nor memory.
constexpr qsizetype max_group_depth = 1000;
// Word's largest font size, in half-points.
constexpr int max_half_points = 3276;
constexpr int max_unicode_skip = 16;

enum class Destination {
    Text,
    FontTable,
    ColourTable,
    ListTable,
    ListOverrideTable,
    Numbering,
    Skip,
};

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int font = -1; // -1: the document's default font
    int half_points = 24;
    int colour = 0;

    bool operator==(const CharState &) const = default;
};

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    QTextListFormat::Style list = QTextListFormat::ListStyleUndefined;
    // The \lsN a paragraph names; paragraphs numbered by \pn have none.
    int list_number = 0;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharState chars;
    ParagraphState paragraph;
    int unicode_skip = 1;
    // After \* a group we do not know is to be skipped whole.
    bool optional_destination = false;
};

struct FontEntry {
    QString name;
    int code_page = 0;
};

enum class Keyword {
    // Destinations come first: control_word tells them apart by order.
    FontTable,
    ColourTable,
    ListTable,
    ListOverrideTable,
    Numbering,
    Ignorable,
    // Text and paragraphs
    Par,
    Line,
    Tab,
    Cell,
    Character,
    Plain,
    Pard,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Font,
    FontSize,
    Colour,
    Align,
    Unicode,
    UnicodeSkip,
    // Code pages and header tables
    CharacterSet,
    AnsiCodePage,
    DefaultFont,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // Lists, Word 97 and later
    ListOverride,
    List,
    ListLevel,
    LevelNumberFormat,
    ListId,
    // Lists, Word 6 and 95
    NumberingStyle,
    NumberingBody,
};

struct KeywordInfo {
    Keyword keyword;
    // The character, code page, alignment or list style the keyword stands for.
    int value = 0;
};

const std::unordered_map<std::string_view, KeywordInfo> &keywords()
{
    using K = Keyword;
    static const std::unordered_map<std::string_view, KeywordInfo> table = {
        {"fonttbl", {K::FontTable}},
        {"colortbl", {K::ColourTable}},
        {"listtable", {K::ListTable}},
        {"listoverridetable", {K::ListOverrideTable}},
        {"pn", {K::Numbering}},
        {"stylesheet", {K::Ignorable}},
        {"info", {K::Ignorable}},
        {"header", {K::Ignorable}},
        {"headerl", {K::Ignorable}},
        {"headerr", {K::Ignorable}},
        {"headerf", {K::Ignorable}},
        {"footer", {K::Ignorable}},
        {"footerl", {K::Ignorable}},
        {"footerr", {K::Ignorable}},
        {"footerf", {K::Ignorable}},
        {"footnote", {K::Ignorable}},
        {"ftnsep", {K::Ignorable}},
        {"ftnsepc", {K::Ignorable}},
        {"ftncn", {K::Ignorable}},
        {"aftnsep", {K::Ignorable}},
        {"aftnsepc", {K::Ignorable}},
        {"aftncn", {K::Ignorable}},
        {"annotation", {K::Ignorable}},
        {"pict", {K::Ignorable}},
        {"object", {K::Ignorable}},
        {"shp", {K::Ignorable}},
        {"nonshppict", {K::Ignorable}},
        {"fldinst", {K::Ignorable}},
        {"listtext", {K::Ignorable}},
        {"pntext", {K::Ignorable}},
        {"revtbl", {K::Ignorable}},
        {"filetbl", {K::Ignorable}},
        {"rsidtbl", {K::Ignorable}},
        {"xe", {K::Ignorable}},
        {"tc", {K::Ignorable}},
        {"txe", {K::Ignorable}},
        {"private", {K::Ignorable}},
        {"par", {K::Par}},
        {"sect", {K::Par}},
        {"row", {K::Par}},
        {"nestrow", {K::Par}},
        {"line", {K::Line}},
        {"tab", {K::Tab}},
        {"cell", {K::Cell}},
        {"nestcell", {K::Cell}},
        {"bullet", {K::Character, 0x2022}},
        {"emdash", {K::Character, 0x2014}},
        {"endash", {K::Character, 0x2013}},
        {"lquote", {K::Character, 0x2018}},
        {"rquote", {K::Character, 0x2019}},
        {"ldblquote", {K::Character, 0x201C}},
        {"rdblquote", {K::Character, 0x201D}},
        {"emspace", {K::Character, 0x2003}},
        {"enspace", {K::Character, 0x2002}},
        {"qmspace", {K::Character, 0x2005}},
        {"plain", {K::Plain}},
        {"pard", {K::Pard}},
        {"b", {K::Bold}},
        {"i", {K::Italic}},
        {"ul", {K::Underline}},
        {"uld", {K::Underline}},
        {"uldash", {K::Underline}},
        {"uldashd", {K::Underline}},
        {"uldashdd", {K::Underline}},
        {"uldb", {K::Underline}},
        {"ulhwave", {K::Underline}},
        {"ulldash", {K::Underline}},
        {"ulth", {K::Underline}},
        {"ulthd", {K::Underline}},
        {"ulthdash", {K::Underline}},
        {"ulthdashd", {K::Underline}},
        {"ulthdashdd", {K::Underline}},
        {"ulthldash", {K::Underline}},
        {"ululdbwave", {K::Underline}},
        {"ulw", {K::Underline}},
        {"ulwave", {K::Underline}},
        {"ulnone", {K::UnderlineNone}},
        {"f", {K::Font}},
        {"fs", {K::FontSize}},
        {"cf", {K::Colour}},
        {"ql", {K::Align, Qt::AlignLeft}},
        {"qc", {K::Align, Qt::AlignHCenter}},
        {"qr", {K::Align, Qt::AlignRight}},
        {"qj", {K::Align, Qt::AlignJustify}},
        {"qd", {K::Align, Qt::AlignJustify}},
        {"u", {K::Unicode}},
        {"uc", {K::UnicodeSkip}},
        {"ansi", {K::CharacterSet, 1252}},
        {"mac", {K::CharacterSet, 10000}},
        {"pc", {K::CharacterSet, 437}},
        {"pca", {K::CharacterSet, 850}},
        {"ansicpg", {K::AnsiCodePage}},
        {"deff", {K::DefaultFont}},
        {"fcharset", {K::FontCharset}},
        {"cpg", {K::FontCodePage}},
        {"red", {K::Red}},
        {"green", {K::Green}},
        {"blue", {K::Blue}},
        {"ls", {K::ListOverride}},
        {"list", {K::List}},
        {"listoverride", {K::List}},
        {"listlevel", {K::ListLevel}},
        {"levelnfc", {K::LevelNumberFormat}},
        {"levelnfcn", {K::LevelNumberFormat}},
        {"listid", {K::ListId}},
        {"pnlvlblt", {K::NumberingStyle, QTextListFormat::ListDisc}},
        {"pnlvlbody", {K::NumberingBody}},
        {"pnlvl", {K::NumberingBody}},
        {"pndec", {K::NumberingStyle, QTextListFormat::ListDecimal}},
        {"pnucrm", {K::NumberingStyle, QTextListFormat::ListUpperRoman}},
        {"pnlcrm", {K::NumberingStyle, QTextListFormat::ListLowerRoman}},
        {"pnucltr", {K::NumberingStyle, QTextListFormat::ListUpperAlpha}},
        {"pnlcltr", {K::NumberingStyle, QTextListFormat::ListLowerAlpha}},
        {"pnlvlcont", {K::NumberingStyle, QTextListFormat::ListStyleUndefined}},
    };
    return table;
}

// The list style of a \levelnfcN number format.
QTextListFormat::Style list_style_of_number_format(int format)
{
    switch (format) {
    case 0:
        return QTextListFormat::ListDecimal;
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23:
        return QTextListFormat::ListDisc;
    case 255:
        return QTextListFormat::ListStyleUndefined;
    default:
        return QTextListFormat::ListDecimal;
    }
}

bool switched_on(const RtfToken &token)
{
    return !token.has_parameter || token.parameter != 0;
}

class RtfReader {
public:
    explicit RtfReader(QTextDocument &document) : m_cursor(&document) {}

    // `body` is everything after the opening brace of the document.
    void read(QByteArrayView body);

private:
    GroupState &state() { return m_groups.back(); }

    void open_group();
    // True when the document's own group closed.
    bool close_group();
    void control_word(const RtfToken &token);
    void control_symbol(char symbol);
    void text(QByteArrayView bytes);
    void byte(unsigned char value);
    void character(char32_t value);

    void enter_destination(Keyword keyword);
    void table_word(Keyword keyword, int value, const RtfToken &token);
    void commit_font_name();
    int code_page() const;

    void flush_run();
    void ensure_block();
    void end_paragraph();
    void finish();
    QTextCharFormat char_format(const CharState &chars) const;

    QTextCursor m_cursor;
    RtfCodePages m_code_pages;
    std::vector<GroupState> m_groups{GroupState{}};
    // Groups opened inside a skipped group or beyond the depth limit: only counted.
    qsizetype m_uncounted_groups = 0;
    int m_pending_skip = 0;

    int m_ansi_code_page = 1252;
    int m_default_font = 0;
    std::unordered_map<int, FontEntry> m_fonts;
    int m_font_number = -1;
    QString m_font_name;
    std::vector<QColor> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colour_given = false;

    // \listid → style, and \ls → \listid.
    std::unordered_map<int, QTextListFormat::Style> m_list_styles;
    std::unordered_map<int, int> m_list_overrides;
    QTextListFormat::Style m_list_definition_style = QTextListFormat::ListStyleUndefined;
    int m_list_level_count = 0;
    int m_override_list_id = -1;
    int m_override_number = -1;
    QTextListFormat::Style m_numbering_style = QTextListFormat::ListStyleUndefined;

    QString m_run;
    CharState m_run_chars;
    bool m_block_open = false;
    bool m_first_block_used = false;
    QTextList *m_list = nullptr;
    int m_list_number = 0;
};

void RtfReader::read(QByteArrayView body)
{
    m_cursor.beginEditBlock();
    RtfTokenizer tokens(body);
    for (;;) {
        const RtfToken token = tokens.next();
        switch (token.kind) {
        case RtfTokenKind::End:
            finish();
            return;
        case RtfTokenKind::GroupOpen:
            open_group();
            break;
        case RtfTokenKind::GroupClose:
            if (close_group()) {
                finish();
                return;
            }
            break;
        case RtfTokenKind::ControlWord:
            if (m_pending_skip > 0)
                --m_pending_skip;
            else
                control_word(token);
            break;
        case RtfTokenKind::ControlSymbol:
            if (m_pending_skip > 0)
                --m_pending_skip;
            else
                control_symbol(static_cast<char>(token.parameter));
            break;
        case RtfTokenKind::HexByte:
            if (m_pending_skip > 0)
                --m_pending_skip;
            else
                byte(static_cast<unsigned char>(token.parameter));
            break;
        case RtfTokenKind::Text: {
            const qsizetype skipped = qMin<qsizetype>(m_pending_skip, token.text.size());
            m_pending_skip -= static_cast<int>(skipped);
            text(token.text.sliced(skipped));
            break;
        }
        }
    }
}

void RtfReader::open_group()
{
    m_pending_skip = 0;
    if (state().destination == Destination::Skip || m_groups.size() >= max_group_depth) {
        ++m_uncounted_groups;
        return;
    }
    m_groups.push_back(state());
    state().optional_destination = false;
}

bool RtfReader::close_group()
{
    m_pending_skip = 0;
    if (m_uncounted_groups > 0) {
        --m_uncounted_groups;
        return false;
    }
    if (m_groups.size() == 1)
        return true;
    const Destination closed = m_groups.back().destination;
    m_groups.pop_back();
    switch (closed) {
    case Destination::FontTable:
        commit_font_name();
        break;
    case Destination::Numbering:
        if (state().destination != Destination::Numbering)
            state().paragraph = {state().paragraph.alignment, m_numbering_style, 0};
        break;
    case Destination::ListOverrideTable:
    case Destination::ListTable:
    case Destination::ColourTable:
    case Destination::Skip:
    case Destination::Text:
        break;
    }
    return false;
}

void RtfReader::enter_destination(Keyword keyword)
{
    // The document's own group is never a table or skipped, whatever junk it holds.
    if (m_groups.size() == 1)
        return;
    switch (keyword) {
    case Keyword::FontTable:
        state().destination = Destination::FontTable;
        break;
    case Keyword::ColourTable:
        state().destination = Destination::ColourTable;
        break;
    case Keyword::ListTable:
        state().destination = Destination::ListTable;
        break;
    case Keyword::ListOverrideTable:
        state().destination = Destination::ListOverrideTable;
        break;
    case Keyword::Numbering:
        state().destination = Destination::Numbering;
        m_numbering_style = QTextListFormat::ListStyleUndefined;
        break;
    default:
        state().destination = Destination::Skip;
        break;
    }
}

void RtfReader::control_word(const RtfToken &token)
{
    const auto &table = keywords();
    const auto found = table.find(std::string_view(token.text.data(), token.text.size()));
    const bool optional = state().optional_destination;
    state().optional_destination = false;
    if (found != table.end() && found->second.keyword <= Keyword::Ignorable) {
        enter_destination(found->second.keyword);
        return;
    }
    if (optional) {
        enter_destination(Keyword::Ignorable);
        return;
    }
    if (found == table.end() || state().destination == Destination::Skip)
        return;
    const Keyword keyword = found->second.keyword;
    const int value = found->second.value;
    if (state().destination != Destination::Text) {
        table_word(keyword, value, token);
        return;
    }

    CharState &chars = state().chars;
    ParagraphState &paragraph = state().paragraph;
    switch (keyword) {
    case Keyword::Par:
        end_paragraph();
        break;
    case Keyword::Line:
        character(QChar::LineSeparator);
        break;
    case Keyword::Tab:
    case Keyword::Cell:
        character(u'\t');
        break;
    case Keyword::Character:
        character(static_cast<char32_t>(value));
        break;
    case Keyword::Plain:
        chars = CharState{};
        break;
    case Keyword::Pard:
        paragraph = ParagraphState{};
        break;
    case Keyword::Bold:
        chars.bold = switched_on(token);
        break;
    case Keyword::Italic:
        chars.italic = switched_on(token);
        break;
    case Keyword::Underline:
        chars.underline = switched_on(token);
        break;
    case Keyword::UnderlineNone:
        chars.underline = false;
        break;
    case Keyword::Font:
        if (token.has_parameter)
            chars.font = token.parameter;
        break;
    case Keyword::FontSize:
        chars.half_points = token.has_parameter && token.parameter > 0
                                ? qMin(token.parameter, max_half_points)
                                : CharState{}.half_points;
        break;
    case Keyword::Colour:
        chars.colour = qMax(0, token.parameter);
        break;
    case Keyword::Align:
        paragraph.alignment = Qt::Alignment(value);
        break;
    case Keyword::ListOverride: {
        if (token.parameter <= 0) {
            paragraph = {paragraph.alignment, QTextListFormat::ListStyleUndefined, 0};
            break;
        }
        const auto override = m_list_overrides.find(token.parameter);
        const auto style = m_list_styles.find(override != m_list_overrides.end() ? override->second
                                                                                 : token.parameter);
        paragraph.list = style != m_list_styles.end() ? style->second : QTextListFormat::ListDisc;
        paragraph.list_number = token.parameter;
        break;
    }
    default:
        table_word(keyword, value, token);
        break;
    }
}

// Words of the header tables, and those that mean the same wherever they stand.
void RtfReader::table_word(Keyword keyword, int value, const RtfToken &token)
{
    const int parameter = token.parameter;
    switch (keyword) {
    case Keyword::Unicode:
        if (token.has_parameter) {
            character(static_cast<char32_t>(parameter < 0 ? parameter + 0x10000 : parameter));
            m_pending_skip = state().unicode_skip;
        }
        break;
    case Keyword::UnicodeSkip:
        state().unicode_skip = qBound(0, parameter, max_unicode_skip);
        break;
    case Keyword::CharacterSet:
        m_ansi_code_page = value;
        break;
    case Keyword::AnsiCodePage:
        if (parameter > 0)
            m_ansi_code_page = parameter;
        break;
    case Keyword::DefaultFont:
        m_default_font = parameter;
        break;
    case Keyword::Font:
        if (state().destination == Destination::FontTable) {
            commit_font_name();
            m_font_number = parameter;
            m_fonts[m_font_number] = FontEntry{};
        }
        break;
    case Keyword::FontCharset:
        if (state().destination == Destination::FontTable && m_font_number >= 0 &&
            code_page_of_charset(parameter) > 0)
            m_fonts[m_font_number].code_page = code_page_of_charset(parameter);
        break;
    case Keyword::FontCodePage:
        if (state().destination == Destination::FontTable && m_font_number >= 0 && parameter > 0)
            m_fonts[m_font_number].code_page = parameter;
        break;
    case Keyword::Red:
    case Keyword::Green:
    case Keyword::Blue: {
        const int component = qBound(0, parameter, 255);
        (keyword == Keyword::Red     ? m_red
         : keyword == Keyword::Green ? m_green
                                     : m_blue) = component;
        m_colour_given = true;
        break;
    }
    case Keyword::List:
        if (state().destination == Destination::ListTable) {
            m_list_definition_style = QTextListFormat::ListStyleUndefined;
            m_list_level_count = 0;
        } else if (state().destination == Destination::ListOverrideTable) {
            m_override_list_id = -1;
            m_override_number = -1;
        }
        break;
    case Keyword::ListLevel:
        ++m_list_level_count;
        break;
    case Keyword::LevelNumberFormat:
        if (m_list_level_count == 1)
            m_list_definition_style = list_style_of_number_format(parameter);
        break;
    case Keyword::ListId:
        if (state().destination == Destination::ListTable)
            m_list_styles[parameter] = m_list_definition_style;
        else
            m_override_list_id = parameter;
        break;
    case Keyword::ListOverride:
        m_override_number = parameter;
        break;
    case Keyword::NumberingStyle:
        m_numbering_style = static_cast<QTextListFormat::Style>(value);
        break;
    case Keyword::NumberingBody:
        if (m_numbering_style == QTextListFormat::ListStyleUndefined)
            m_numbering_style = QTextListFormat::ListDecimal;
        break;
    default:
        break;
    }
    if (state().destination == Destination::ListOverrideTable && m_override_list_id >= 0 &&
        m_override_number >= 0)
        m_list_overrides[m_override_number] = m_override_list_id;
}

void RtfReader::control_symbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        text(QByteArrayView(&symbol, 1));
        break;
    case '~':
        character(QChar::Nbsp);
        break;
    case '-':
        character(QChar::SoftHyphen);
        break;
    case '_':
        character(0x2011);
        break;
    case '*':
        state().optional_destination = true;
        break;
    default:
        break;
    }
}

int RtfReader::code_page() const
{
    const int font = m_groups.back().chars.font >= 0 ? m_groups.back().chars.font : m_default_font;
    const auto found = m_fonts.find(font);
    return found != m_fonts.end() && found->second.code_page > 0 ? found->second.code_page
                                                                 : m_ansi_code_page;
}

void RtfReader::text(QByteArrayView bytes)
{
    switch (state().destination) {
    case Destination::Text:
    case Destination::FontTable:
        for (const char c : bytes)
            byte(static_cast<unsigned char>(c));
        break;
    case Destination::ColourTable:
        for (const char c : bytes) {
            if (c != ';')
                continue;
            m_colours.push_back(m_colour_given ? QColor(m_red, m_green, m_blue) : QColor());
            m_red = m_green = m_blue = 0;
            m_colour_given = false;
        }
        break;
    case Destination::ListTable:
    case Destination::ListOverrideTable:
    case Destination::Numbering:
    case Destination::Skip:
        break;
    }
}

void RtfReader::byte(unsigned char value)
{
    if (state().destination == Destination::FontTable && value == ';') {
        commit_font_name();
        return;
    }
    if (value < 0x80) {
        character(value);
        return;
    }
    int page = m_ansi_code_page;
    if (state().destination == Destination::FontTable) {
        const auto found = m_fonts.find(m_font_number);
        if (found != m_fonts.end() && found->second.code_page > 0)
            page = found->second.code_page;
    } else {
        page = code_page();
    }
    character(m_code_pages.decode(page, value));
}

void RtfReader::character(char32_t value)
{
    if (value > 0x10FFFF || (value < 0x20 && value != u'\t'))
        return;
    QString *target = nullptr;
    if (state().destination == Destination::Text) {
        if (!m_run.isEmpty() && !(m_run_chars == state().chars))
            flush_run();
        m_run_chars = state().chars;
        target = &m_run;
    } else if (state().destination == Destination::FontTable) {
        target = &m_font_name;
    } else {
        return;
    }
    if (QChar::requiresSurrogates(value)) {
        *target += QChar(QChar::highSurrogate(value));
        *target += QChar(QChar::lowSurrogate(value));
    } else {
        *target += QChar(static_cast<char16_t>(value));
    }
}

void RtfReader::commit_font_name()
{
    if (m_font_number >= 0 && !m_font_name.trimmed().isEmpty())
        m_fonts[m_font_number].name = m_font_name.trimmed();
    m_font_name.clear();
}

QTextCharFormat RtfReader::char_format(const CharState &chars) const
{
    QTextCharFormat format;
    format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chars.italic);
    format.setFontUnderline(chars.underline);
    format.setFontPointSize(chars.half_points / 2.0);
    const auto font = m_fonts.find(chars.font >= 0 ? chars.font : m_default_font);
    if (font != m_fonts.end() && !font->second.name.isEmpty())
        format.setFontFamilies({font->second.name});
    if (chars.colour > 0 && chars.colour < static_cast<int>(m_colours.size()) &&
        m_colours[chars.colour].isValid())
        format.setForeground(m_colours[chars.colour]);
    else if (chars.colour == 0 && !m_colours.empty() && m_colours[0].isValid())
        format.setForeground(m_colours[0]);
    return format;
}

void RtfReader::ensure_block()
{
    if (m_block_open)
        return;
    if (m_first_block_used)
        m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    m_first_block_used = true;
    m_block_open = true;
}

void RtfReader::flush_run()
{
    if (m_run.isEmpty())
        return;
    ensure_block();
    m_cursor.insertText(m_run, char_format(m_run_chars));
    m_run.clear();
}

void RtfReader::end_paragraph()
{
    flush_run();
    ensure_block();
    const ParagraphState &paragraph = state().paragraph;
    QTextBlockFormat block_format;
    block_format.setAlignment(paragraph.alignment);
    m_cursor.setBlockFormat(block_format);
    m_cursor.setBlockCharFormat(char_format(state().chars));

    if (paragraph.list == QTextListFormat::ListStyleUndefined) {
        m_list = nullptr;
    } else if (m_list && m_list->format().style() == paragraph.list &&
               m_list_number == paragraph.list_number) {
        m_list->add(m_cursor.block());
    } else {
        QTextListFormat list_format;
        list_format.setStyle(paragraph.list);
        m_list = m_cursor.createList(list_format);
        m_list_number = paragraph.list_number;
    }
    m_block_open = false;
}

void RtfReader::finish()
{
    flush_run();
    // A last paragraph without \par counts only when it holds something.
    if (m_block_open)
        end_paragraph();
    m_cursor.endEditBlock();
}

// Skips white space and a byte-order mark; -1 when the data does not open an RTF group.
qsizetype rtf_start(QByteArrayView data)
{
    qsizetype pos = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        pos = 3;
    while (pos < data.size() && QChar::isSpace(static_cast<unsigned char>(data[pos])))
        ++pos;
    return data.sliced(pos).startsWith("{\\rtf") ? pos : -1;
}

} // namespace

bool read_rtf_into(QTextDocument &document, QByteArrayView rtf)
{
    const qsizetype start = rtf_start(rtf);
    if (start < 0)
        return false;
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    RtfReader(document).read(rtf.sliced(start + 1));
    document.setUndoRedoEnabled(undo);
    return true;
}
