// Legacy checker for version-1.x KIVO files.
//
// The checker reads the file twice. The first pass checks the header and the
// models and collects the model names; the second pass starts again after the
// first [End] and checks the components, whose pins may name models defined
// anywhere in the file. Everything here is private to this module: its own
// keyword table, message table, number reader, output forms and totals.
#include "legacy/v01.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_set>
#include <vector>

namespace {

using sv = std::string_view;

// ---------------------------------------------------------------------------
// Message table
// ---------------------------------------------------------------------------

enum msg_type { MSG_BUG = 1, MSG_ERROR = 2, MSG_LINE_ERROR = 3, MSG_WARNING = 4 };

struct err_msg {
    int type;
    const char* text;
    int key;
};

constexpr err_msg em[] = {
    {1, "This Program's Primary Keyword Structure is Erroneous", 0},
    {1, "This Program's Model Subparameter Structure Is Erroneous", 1},
    {1, "Unhandled Keyword: %s", 2},
    {1, "Reached Maximum Pin Count On Component '%s'", 3},
    {1, "Unhandled Model Subparameter: %s", 4},
    {2, "Filename Requires 'kvo' Extension.  ABORTING!!!", 5},
    {2, "Missing Keyword: %s", 6},
    {2, "Unable To Open File '%s'", 7},
    {2, "Unable To Rewind File For Second (Component) Pass", 8},
    {2, "Package '%s' Subparameter Not Defined For Component '%s'", 9},
    {2, "'%s' Keyword Not Defined For Component '%s'", 10},
    {2, "'%s' Subparameter Not Defined for Model '%s'", 11},
    {2, "'Voltage Range' Keyword Not Defined For Model '%s'", 12},
    {2, "'Ramp' Keyword Not Defined For Model '%s'", 13},
    {2, "Ramp '%s' Subparameter Not Defined for Model '%s'", 14},
    {2, "'%s' Keyword Missing Data For Model '%s'", 15},
    {2, "Model '%s': '%s' Curve Requires More Than 1 Entry", 16},
    {2, "'Pin' Keyword Missing Data For Component '%s'", 17},
    {2, "Model '%s' %s Curve %s With A Typical Value of 'NA'", 18},
    {3, "Keywords Must Begin In Column 1", 19},
    {3, "'%s' Keyword Missing %s", 20},
    {3, "'%s' Keyword Already Defined", 21},
    {3, "'%s' Subparameter Missing %s", 22},
    {3, "Incorrect Number of Line Items (%s) For %s: Expecting %s", 23},
    {3, "Too Many Line Items For '%s'", 24},
    {3, "Orphaned Keyword '%s'.  Needs a '%s'", 25},
    {3, "Invalid %s Value (\"%s\")", 26},
    {3, "Expecting Keyword.  Invalid Line", 27},
    {3, "Exceeds 80 characters", 28},
    {3, "Keyword Missing Ending Bracket (']')", 29},
    {3, "Invalid Keyword", 30},
    {3, "Invalid Comment Character '%1.1s'", 31},
    {3, "Invalid Comment Character Definition", 32},
    {3, "Non-Comment Line Exists After 'End' Keyword", 33},
    {3, "%s Over %s Characters Long", 34},
    {3, "Pin '%s' %s Over 20 Characters Long", 35},
    {3, "File name Too Long", 36},
    {3, "File name (\"%s\") Does Not Match Internal Name (\"%s\")", 37},
    {3, "File name Requires 'kvo' Extension", 38},
    {3, "Invalid Character (\"%1.1s\") In File name", 39},
    {3, "'KIVO Ver' Keyword Not First In File", 40},
    {3, "KIVO Version Cannot Be Determined.  ABORTING!!!", 41},
    {3, "Invalid KIVO Version (\"%s\").  ABORTING!!!", 42},
    {3, "'%s' Keyword Missing Name", 43},
    {3, "'%s' Keyword Already Defined For Component '%s'", 44},
    {3, "Unknown Line Among %s Data", 45},
    {3, "Package Subparameter '%s' Already Defined For Component '%s'", 46},
    {3, "'%s' Definition Missing '%s' Data", 47},
    {3, "%s Pin Subparameter Must Be '%s'", 48},
    {3, "Invalid Pin Subparameter (\"%s\")", 49},
    {3, "Pin Subparameter '%s' Defined Multiple Times", 50},
    {3, "Pin Subparameter '%s' Is Missing", 51},
    {3, "6 Line Items Not Allowed For These Pin Definitions", 52},
    {3, "Pin '%s' Already Defined", 53},
    {3, "Model Name '%s' Undefined For Pin '%s'", 54},
    {3, "Invalid %s Name (\"%s\"); Reserved Word.", 55},
    {3, "Model Name Previously Defined (\"%s\")", 56},
    {3, "%s Already Defined For Model '%s'", 57},
    {3, "Invalid %s Line For Model '%s'", 58},
    {3, "Invalid %s (\"%s\") for Model '%s'", 59},
    {3, "Invalid %s (\"%s\") for Model '%s' (try '%s')", 60},
    {3, "Exceeding %s Points For %s", 61},
    {3, "Maximum Item Size Exceeded", 62},
    {3, "Ramp Subparameter '%s' Already Defined For Model '%s'", 63},
    {4, "Suspicious %s Value (\"%s\"); Numeric In Scale.", 64},
    {4, "Filename '%s' should be lowercase", 65},
};
constexpr int EM_COUNT = static_cast<int>(sizeof em / sizeof em[0]);
static_assert(EM_COUNT == 66, "the message table has 66 rows");

// Number of text placeholders ("%s" or "%1.1s") in a message text.
constexpr int s_placeholders(const char* s)
{
    int n = 0;
    for (; *s != '\0'; ++s) {
        if (*s == '%' && s[1] != '%') ++n;
    }
    return n;
}

// ---------------------------------------------------------------------------
// Keyword and subparameter tables
// ---------------------------------------------------------------------------

struct keyword_row {
    const char* name;
    int num;
};

enum v01_key {
    KIVO_VER_KEY,
    COMMENT_CHAR_KEY,
    FILE_NAME_KEY,
    FILE_REV_KEY,
    DATE_KEY,
    SOURCE_KEY,
    NOTES_KEY,
    DISCLAIMER_KEY,
    COMPONENT_KEY,
    MANUFACTURER_KEY,
    PACKAGE_KEY,
    PIN_KEY,
    MODEL_KEY,
    VOLTAGE_RANGE_KEY,
    PULLDOWN_KEY,
    PULLUP_KEY,
    GND_CLAMP_KEY,
    POWER_CLAMP_KEY,
    RAMP_KEY,
    END_KEY,
    KEY_COUNT,
    // Record kinds returned by the reader besides the keywords.
    DATA_REC = -1,
    EOF_REC = -2,
};

constexpr keyword_row keywords[] = {
    {"KIVO VER", KIVO_VER_KEY},         {"COMMENT CHAR", COMMENT_CHAR_KEY},
    {"FILE NAME", FILE_NAME_KEY},       {"FILE REV", FILE_REV_KEY},
    {"DATE", DATE_KEY},                 {"SOURCE", SOURCE_KEY},
    {"NOTES", NOTES_KEY},               {"DISCLAIMER", DISCLAIMER_KEY},
    {"COMPONENT", COMPONENT_KEY},       {"MANUFACTURER", MANUFACTURER_KEY},
    {"PACKAGE", PACKAGE_KEY},           {"PIN", PIN_KEY},
    {"MODEL", MODEL_KEY},               {"VOLTAGE RANGE", VOLTAGE_RANGE_KEY},
    {"PULLDOWN", PULLDOWN_KEY},         {"PULLUP", PULLUP_KEY},
    {"GND_CLAMP", GND_CLAMP_KEY},       {"POWER_CLAMP", POWER_CLAMP_KEY},
    {"RAMP", RAMP_KEY},                 {"END", END_KEY},
};
static_assert(sizeof keywords / sizeof keywords[0] == KEY_COUNT, "twenty keywords");

// The keywords as they are written in a file, used where a message names the
// keyword of the line ("Keyword 'File Name'").
constexpr const char* keyword_text[KEY_COUNT] = {
    "KIVO Ver", "Comment Char",  "File Name", "File Rev", "Date",       "Source",    "Notes",
    "Disclaimer", "Component",   "Manufacturer", "Package", "Pin",     "Model",     "Voltage Range",
    "Pulldown", "Pullup",        "GND_Clamp", "POWER_Clamp", "Ramp",   "End",
};

// The longest keyword name of the table.
constexpr size_t MAX_KEYWORD_LEN = 13;

struct model_sub_row {
    const char* name;
    bool prefix;  // matches any first field that begins with the name
    int num;
};

enum model_sub { MODEL_TYPE_SUB, POLARITY_SUB, ENABLE_SUB, VINL_SUB, VINH_SUB, C_COMP_SUB, SUB_COUNT };

constexpr model_sub_row model_subs[] = {
    {"Model_type", false, MODEL_TYPE_SUB}, {"Polarity", false, POLARITY_SUB}, {"Enable", false, ENABLE_SUB},
    {"Vinl", true, VINL_SUB},              {"Vinh", true, VINH_SUB},          {"C_comp", false, C_COMP_SUB},
};
static_assert(sizeof model_subs / sizeof model_subs[0] == SUB_COUNT, "six model subparameters");

struct word_code {
    const char* name;
    char code;
};

constexpr word_code model_types[] = {
    {"Input", 'i'}, {"Output", 'o'}, {"I/O", 'I'}, {"3-state", '3'}, {"Open_drain", 'D'},
};
constexpr word_code polarities[] = {{"Inverting", 'I'}, {"Non-Inverting", 'N'}};
constexpr word_code enables[] = {{"Active-High", 'H'}, {"Active-Low", 'L'}};

constexpr const char* ReservedModels[] = {"GND", "NC", "POWER"};
constexpr const char* BadCommChars = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ[]._/=";
constexpr const char* known_scales = "Mkmunp";
constexpr const char* valid_fchars = "_^$~!#%&-{}()@'`";
constexpr const char* valid_revs[] = {"1.0", "1.1"};

// ---------------------------------------------------------------------------
// Limits
// ---------------------------------------------------------------------------

constexpr size_t MAX_LINE = 1022;         // characters kept of a line
constexpr size_t CHECK_WIDTH = 80;        // line width checked by message 28
constexpr size_t MAX_ITEMS = 6;           // words kept of a line
constexpr size_t MAX_ITEM_LEN = 41;       // longest word counted
constexpr size_t MAX_FILE_NAME = 299;     // longest file name handled
constexpr size_t MAX_COMPONENT_NAME = 40;
constexpr size_t MAX_MANUFACTURER = 40;
constexpr size_t MAX_DATE = 40;
constexpr size_t MAX_MODEL_NAME = 20;
constexpr size_t MAX_SIGNAL_NAME = 20;
constexpr size_t MAX_PIN_NAME = 5;
constexpr size_t MAX_PIN_VALUE = 9;
constexpr size_t MAX_VIN_VALUE = 42;
constexpr size_t MAX_KIVO_VER = 5;
constexpr size_t MAX_MODELS = 512;
constexpr int MAX_PINS = 1024;
constexpr int MAX_ROWS = 100;

// ---------------------------------------------------------------------------
// Records (one component and one model at a time)
// ---------------------------------------------------------------------------

// Scale characters: 0 never given, ' ' given without scale, a scale letter,
// or 'N' for NA. A scale character also tells that its value was given.
struct package {
    double tp = 0, mn = 0, mx = 0;
    char tp_scale = 0, mn_scale = 0, mx_scale = 0;
};

struct pin {
    std::string pin;
    std::string model_name;
    std::string signal_name;
    double rpin = 0, lpin = 0, cpin = 0;
    char rpin_scale = 0, lpin_scale = 0, cpin_scale = 0;
};

struct component {
    std::string name;
    std::string manufacturer;
    package Rpkg, Lpkg, Cpkg;
    bool package_found = false;
    std::vector<pin> pins;
    std::unordered_set<std::string> pin_names;  // index of pins for the duplicate check
    int pin_cnt = -1;  // -1 no [Pin] yet, -2 [Pin] header rejected, else the count
};

struct curve {
    double voltage = 0, Ityp = 0, Imin = 0, Imax = 0;
    char V_scale = 0, Ityp_scale = 0, Imin_scale = 0, Imax_scale = 0;
};

struct ramp {
    double typa = 0, typb = 0, mina = 0, minb = 0, maxa = 0, maxb = 0;
    char typa_scale = 0, typb_scale = 0, mina_scale = 0, minb_scale = 0, maxa_scale = 0, maxb_scale = 0;
};

struct model {
    std::string name;
    char typ = 0, polarity = 0, n_able = 0;
    double vinl = 0, vinh = 0, Ctyp = 0, Cmin = 0, Cmax = 0;
    char vinl_scale = 0, vinh_scale = 0, Ctyp_scale = 0, Cmin_scale = 0, Cmax_scale = 0;
    double VRtyp = 0, VRmin = 0, VRmax = 0;
    char VRtyp_scale = 0, VRmin_scale = 0, VRmax_scale = 0;
    std::vector<curve> pulldown, pullup, GND_clamp, POWER_clamp;
    short pulldown_cnt = -1, pullup_cnt = -1, GND_clamp_cnt = -1, POWER_clamp_cnt = -1;
    ramp dVdt_r, dVdt_f;
    bool ramp_found = false;
};

// ---------------------------------------------------------------------------
// Run state
// ---------------------------------------------------------------------------

// One record handed out by the reader: a keyword line, a data line or the end
// of the file. Offsets point into the reader's line buffer.
struct record {
    int kw = EOF_REC;
    size_t start = 0;  // first non-blank character
    size_t rest = 0;   // keyword lines: first character after "]"
};

struct v01_state {
    FILE* fp = nullptr;
    std::string line;       // the line being processed
    char comment = '|';
    int pass = 1;
    long line_num = 0;
    int bugs = 0, errors = 0, warnings = 0;
    int keywords_read = 0;  // bracketed lines of the first pass
    int components = 0;
    std::vector<std::string> model_names;
    std::unordered_set<std::string> model_index;
    std::string KIVO_ver, file_name, file_rev, file_date;
    bool source_found = false, notes_found = false, end_found = false;
    bool check80 = true;
    bool skipping = false;  // data lines of an unrecognised keyword are skipped
    bool used_rec = false;  // a record was pushed back
    record saved;
    bool started = false;          // the file was opened
    bool version_rejected = false; // messages 41 and 42 ended the first pass
    std::string given_base;        // base name from the command line (".kvo" added)
    std::string opened_name;       // name as opened (or as tried, when not opened)
    component comp;
    model mdl;
};

v01_state g;

// ---------------------------------------------------------------------------
// Output
// ---------------------------------------------------------------------------

// Fills the placeholders of a message text: "%s" takes a whole text,
// "%1.1s" its first character.
std::string s_format(const char* fmt, std::initializer_list<sv> args)
{
    std::string out;
    auto it = args.begin();
    for (const char* p = fmt; *p != '\0'; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        if (p[1] == '%') {
            out += '%';
            ++p;
            continue;
        }
        const sv arg = it != args.end() ? *it++ : sv();
        if (std::strncmp(p, "%1.1s", 5) == 0) {
            out.append(arg.substr(0, 1));
            p += 4;
        } else {  // "%s"
            out.append(arg);
            p += 1;
        }
    }
    return out;
}

void s_put(const std::string& s) { fwrite(s.data(), 1, s.size(), stdout); }

// Prints one finished message text in the form of its type and counts it.
void ErrLog(int type, const std::string& text)
{
    const size_t len = text.size();
    switch (type) {
    case MSG_BUG:
        ++g.bugs;
        fputs("PROGRAM BUG - ", stdout);
        s_put(text);
        fputc('\n', stdout);
        break;
    case MSG_ERROR:
        ++g.errors;
        fputs("ERROR - ", stdout);
        s_put(text);
        fputc('\n', stdout);
        break;
    case MSG_LINE_ERROR:
        ++g.errors;
        if (len >= 60 && len <= 72) {
            printf("ERROR (line %4ld) -\n      ", g.line_num);
        } else {
            printf("ERROR (line %4ld) - ", g.line_num);
        }
        s_put(text);
        fputc('\n', stdout);
        break;
    default:  // MSG_WARNING
        ++g.warnings;
        if (len >= 70 && len <= 73) {
            fputs("WARNING -\n      ", stdout);
        } else {
            fputs("WARNING - ", stdout);
        }
        s_put(text);
        fputc('\n', stdout);
        break;
    }
}

template <int K>
void s_log(std::initializer_list<sv> args)
{
    static_assert(K >= 0 && K < EM_COUNT, "message number out of the table");
    ErrLog(em[K].type, s_format(em[K].text, args));
}

// ErrLog1 ... ErrLog5 report message K of the table with 0 to 4 texts; the
// number of texts is checked against the message's placeholders.
template <int K>
void ErrLog1()
{
    static_assert(s_placeholders(em[K].text) == 0, "message takes no text");
    s_log<K>({});
}
template <int K>
void ErrLog2(sv a)
{
    static_assert(s_placeholders(em[K].text) == 1, "message takes one text");
    s_log<K>({a});
}
template <int K>
void ErrLog3(sv a, sv b)
{
    static_assert(s_placeholders(em[K].text) == 2, "message takes two texts");
    s_log<K>({a, b});
}
template <int K>
void ErrLog4(sv a, sv b, sv c)
{
    static_assert(s_placeholders(em[K].text) == 3, "message takes three texts");
    s_log<K>({a, b, c});
}
template <int K>
void ErrLog5(sv a, sv b, sv c, sv d)
{
    static_assert(s_placeholders(em[K].text) == 4, "message takes four texts");
    s_log<K>({a, b, c, d});
}

// ---------------------------------------------------------------------------
// Text helpers
// ---------------------------------------------------------------------------

bool s_blank(char c) { return c == ' ' || c == '\t'; }

bool s_sameIC(sv a, sv b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool s_isNA(sv w) { return s_sameIC(w, "NA"); }

bool s_isReserved(sv w)
{
    for (const char* r : ReservedModels) {
        if (s_sameIC(w, r)) return true;
    }
    return false;
}

// Cuts a text at the comment character and trims blanks on both sides.
sv s_trimText(sv s)
{
    const size_t c = s.find(g.comment);
    if (c != sv::npos) s = s.substr(0, c);
    while (!s.empty() && s_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && s_blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string s_num(long n) { return std::to_string(n); }

// The words of a line: at most MAX_ITEMS kept, cnt counts every word found.
struct items {
    int cnt = 0;
    std::array<sv, MAX_ITEMS> w;
    sv operator[](int i) const { return i < cnt && i < static_cast<int>(MAX_ITEMS) ? w[i] : sv(); }
};

// Splits a text at blanks and tabs, up to the comment character when
// cutAtComment. A word longer than MAX_ITEM_LEN is reported (when report)
// and not counted.
items s_split(sv s, bool cutAtComment, bool report)
{
    if (cutAtComment) {
        const size_t c = s.find(g.comment);
        if (c != sv::npos) s = s.substr(0, c);
    }
    items out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s_blank(s[i])) ++i;
        if (i >= s.size()) break;
        const size_t b = i;
        while (i < s.size() && !s_blank(s[i])) ++i;
        const sv word = s.substr(b, i - b);
        if (word.size() > MAX_ITEM_LEN) {
            if (report) ErrLog1<62>();
            continue;
        }
        if (out.cnt < static_cast<int>(MAX_ITEMS)) out.w[out.cnt] = word;
        ++out.cnt;
    }
    return out;
}

// Reports a wrong number of words on a keyword line: the keyword counts as
// one word, in the count and in the expected counts alike.
void s_keyCountError(int kw, int cnt, const char* expected)
{
    ErrLog4<23>(s_num(cnt + 1), std::string("Keyword '") + keyword_text[kw] + "'", expected);
}

// Reports a wrong number of words on a data line labelled by its first word.
void s_dataCountError(sv label, int cnt, const char* expected)
{
    ErrLog4<23>(s_num(cnt), std::string(label) + " Data", expected);
}

// ---------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------

bool s_digit(char c) { return c >= '0' && c <= '9'; }

// Reads a number with an optional scale letter. Returns the scale character
// ('N' for NA, ' ' for none, else the letter) or 0 when the word is not a
// valid value. NA is accepted only when allowNA.
char GetValue(sv word, bool allowNA, sv label, double& value)
{
    if (s_isNA(word)) {
        if (!allowNA) ErrLog3<26>(label, word);
        value = 0;
        return 'N';
    }
    const size_t n = word.size();
    const bool starts = (n > 0 && s_digit(word[0])) ||
                        (n > 1 && (word[0] == '.' || word[0] == '-' || word[0] == '+') && s_digit(word[1])) ||
                        (n > 2 && (word[0] == '-' || word[0] == '+') && word[1] == '.' && s_digit(word[2]));
    if (!starts) {
        ErrLog3<26>(label, word);
        return 0;
    }
    // Decimal notation only (digits, point, exponent).
    const char* first = word.data();
    const char* last = word.data() + n;
    if (*first == '+') ++first;
    double v = 0;
    const auto res = std::from_chars(first, last, v, std::chars_format::general);
    if (res.ec == std::errc::invalid_argument) {
        ErrLog3<26>(label, word);
        return 0;
    }
    if (res.ec == std::errc::result_out_of_range) v = (*first == '-') ? -HUGE_VAL : HUGE_VAL;
    const sv rest(res.ptr, static_cast<size_t>(last - res.ptr));
    char scale = ' ';
    if (!rest.empty()) {
        const char c = rest.front();
        if (std::strchr(known_scales, c) != nullptr) {
            scale = c;
        } else if (!std::isalpha(static_cast<unsigned char>(c))) {
            ErrLog3<26>(label, word);
            return 0;
        }
        for (char r : rest) {
            if (s_digit(r)) {
                ErrLog3<64>(label, word);
                break;
            }
        }
    }
    value = v;
    return scale;
}

// ---------------------------------------------------------------------------
// Reader
// ---------------------------------------------------------------------------

// Reads one physical line into g.line: at most MAX_LINE characters are kept,
// a carriage return directly before the line feed is dropped, a NUL byte is
// kept as a blank. Returns false at end of file.
bool s_getLine()
{
    g.line.clear();
    int c = EOF;
    size_t total = 0;
    bool any = false;
    while ((c = getc(g.fp)) != EOF) {
        any = true;
        if (c == '\n') break;
        if (total <= MAX_LINE) g.line.push_back(c == 0 ? ' ' : static_cast<char>(c));
        ++total;
    }
    if (!any) return false;
    if (c == '\n' && total <= MAX_LINE + 1 && !g.line.empty() && g.line.back() == '\r') g.line.pop_back();
    if (g.line.size() > MAX_LINE) g.line.resize(MAX_LINE);
    return true;
}

// Reads the next line, counts it and applies the width check.
bool s_nextLine()
{
    if (!s_getLine()) return false;
    ++g.line_num;
    if (g.check80 && g.line.size() > CHECK_WIDTH) ErrLog1<28>();
    return true;
}

// Position of the first character after leading blanks and tabs.
size_t s_firstNonBlank()
{
    size_t p = 0;
    while (p < g.line.size() && s_blank(g.line[p])) ++p;
    return p;
}

bool s_isCommentAt(size_t p) { return p >= g.line.size() || g.line[p] == g.comment; }

// The word of s that starts at or after pos (empty when none); pos moves
// past it.
sv s_nextWord(sv s, size_t& pos)
{
    while (pos < s.size() && s_blank(s[pos])) ++pos;
    const size_t b = pos;
    while (pos < s.size() && !s_blank(s[pos])) ++pos;
    return s.substr(b, pos - b);
}

// [Comment Char]: the first word is one character and "_char"; the character
// becomes the comment character unless it is one that data needs. Only the
// first two words are looked at, whatever their length, and the line is not
// cut at the old comment character, so the current one may be declared again.
void s_commentChar(sv rest)
{
    const bool report = g.pass == 1;
    size_t pos = 0;
    const sv w0 = s_nextWord(rest, pos);
    const sv w1 = s_nextWord(rest, pos);
    if (w0.size() != 6 || w0.substr(1) != "_char") {
        if (report) ErrLog1<32>();
        return;
    }
    const char ch = w0[0];
    if (std::strchr(BadCommChars, ch) != nullptr) {
        if (report) ErrLog2<31>(w0);
        return;
    }
    g.comment = ch;
    if (!w1.empty() && w1[0] != ch && report) ErrLog2<24>("COMMENT CHAR");
}

// Recognises the keyword of a bracketed line; returns its number or -1.
int s_recognise(size_t start, size_t& rest)
{
    const bool first = g.pass == 1;
    if (first) ++g.keywords_read;
    if (start != 0 && first) ErrLog1<19>();
    const size_t close = g.line.find(']', start);
    if (close == std::string::npos) {
        if (first) ErrLog1<29>();
        return -1;
    }
    const sv name = sv(g.line).substr(start + 1, close - start - 1);
    rest = close + 1;
    if (!name.empty() && name.size() <= MAX_KEYWORD_LEN) {
        for (const keyword_row& k : keywords) {
            if (s_sameIC(name, k.name)) return k.num;
        }
    }
    if (first) ErrLog1<30>();
    return -1;
}

// Returns the next keyword or data record (or the end of the file). Comment
// lines, [Comment Char] lines and the lines of unrecognised keywords are
// handled here and never handed out.
record ReadRecord()
{
    if (g.used_rec) {
        g.used_rec = false;
        return g.saved;
    }
    record r;
    while (s_nextLine()) {
        const size_t p = s_firstNonBlank();
        if (s_isCommentAt(p)) continue;
        if (g.line[p] == '[') {
            size_t rest = 0;
            const int kw = s_recognise(p, rest);
            if (kw == COMMENT_CHAR_KEY) {
                s_commentChar(sv(g.line).substr(rest));
                continue;
            }
            if (kw < 0) {
                g.skipping = true;
                continue;
            }
            g.skipping = false;
            r.kw = kw;
            r.start = p;
            r.rest = rest;
            return r;
        }
        if (g.skipping) continue;
        r.kw = DATA_REC;
        r.start = p;
        return r;
    }
    r.kw = EOF_REC;
    return r;
}

// Hands a record back so that the next ReadRecord returns it again.
void s_pushBack(const record& r)
{
    g.saved = r;
    g.used_rec = true;
}

sv s_restOf(const record& r) { return sv(g.line).substr(r.rest); }
sv s_dataOf(const record& r) { return sv(g.line).substr(r.start); }

// Skips the data lines that follow; the next keyword is pushed back.
// Hands each data line that follows to onData; the next keyword is left for
// the caller's loop.
template <class F>
void s_eachDataLine(F&& onData)
{
    for (;;) {
        const record d = ReadRecord();
        if (d.kw != DATA_REC) {
            s_pushBack(d);
            return;
        }
        onData(d);
    }
}

void s_skipData()
{
    s_eachDataLine([](const record&) {});
}

// The keyword line of a section that stands once per model or component.
// Its words are read first; a repeat is then reported through onRepeat and
// its data lines skipped (false).  Otherwise words after the keyword are
// reported and the caller reads the data lines (true).
template <class F>
bool s_onceSectionStart(const record& r, bool repeat, F&& onRepeat)
{
    const items head = s_split(s_restOf(r), true, true);
    if (repeat) {
        onRepeat();
        s_skipData();
        return false;
    }
    if (head.cnt > 0) s_keyCountError(r.kw, head.cnt, "1");
    return true;
}

// ---------------------------------------------------------------------------
// Values of subparameter lines
// ---------------------------------------------------------------------------

struct value_ref {
    double* value;
    char* scale;
    bool allowNA;
};

// Reads the values of a "name typ min max" line from word 1 on; each missing
// one is reported with 47 and its column name; more than 4 words give 23.
void s_readTypMinMax(const items& it, sv label, const std::array<value_ref, 3>& vals,
                     const std::array<const char*, 3>& missing)
{
    for (int i = 0; i < 3; ++i) {
        if (it.cnt > i + 1) {
            *vals[i].scale = GetValue(it[i + 1], vals[i].allowNA, label, *vals[i].value);
        } else {
            ErrLog3<47>(label, missing[i]);
        }
    }
    if (it.cnt > 4) s_dataCountError(label, it.cnt, "4");
}

constexpr std::array<const char*, 3> TMM_NAMES = {"Typical", "Minimum", "Maximum"};

// ---------------------------------------------------------------------------
// Header keywords (first pass)
// ---------------------------------------------------------------------------

// [KIVO Ver]; returns false when reading has to stop.
bool s_kivoVer(const record& r)
{
    const items it = s_split(s_restOf(r), true, true);
    if (!g.KIVO_ver.empty()) {
        ErrLog2<21>("KIVO Ver");
        return true;
    }
    if (g.keywords_read != 1) ErrLog1<40>();
    if (it.cnt == 0) {
        s_keyCountError(KIVO_VER_KEY, 0, "2");
        ErrLog1<41>();
        return false;
    }
    if (it.cnt > 1) s_keyCountError(KIVO_VER_KEY, it.cnt, "2");
    const sv v = it[0];
    g.KIVO_ver = std::string(v.substr(0, MAX_KIVO_VER));
    bool valid = false;
    for (const char* rev : valid_revs) valid = valid || v == rev;
    if (!valid) {
        ErrLog2<42>(v);
        return false;
    }
    return true;
}

bool s_validFileChar(char c)
{
    return (c >= 'a' && c <= 'z') || s_digit(c) || (c != '\0' && std::strchr(valid_fchars, c) != nullptr);
}

// [File Name]: the name must match the file checked and follow the 8.3 form
// with the extension "kvo".
void s_fileName(const record& r)
{
    const items it = s_split(s_restOf(r), true, true);
    if (!g.file_name.empty()) {
        ErrLog2<21>("File Name");
        return;
    }
    if (it.cnt == 0) {
        ErrLog3<20>("File Name", "filename");
        return;
    }
    if (it.cnt > 1) s_keyCountError(FILE_NAME_KEY, it.cnt, "2");
    const sv v = it[0];
    g.file_name = std::string(v.substr(0, MAX_FILE_NAME));
    if (!s_sameIC(v, g.given_base)) ErrLog3<37>(g.given_base, v);
    const size_t dot = v.rfind('.');
    if (dot == sv::npos) {
        ErrLog1<38>();
        return;
    }
    if (dot > 8) {
        ErrLog1<36>();
        return;
    }
    if (v.substr(dot + 1) != "kvo") ErrLog1<38>();
    for (size_t i = 0; i < dot; ++i) {
        if (!s_validFileChar(v[i])) ErrLog2<39>(v.substr(i, 1));
    }
}

void s_fileRev(const record& r)
{
    const items it = s_split(s_restOf(r), true, true);
    if (!g.file_rev.empty()) {
        ErrLog2<21>("File Rev");
        return;
    }
    if (it.cnt == 0) {
        ErrLog3<20>("File Rev", "revision");
        return;
    }
    if (it.cnt > 1) s_keyCountError(FILE_REV_KEY, it.cnt, "2");
    g.file_rev = std::string(it[0]);
}

void s_date(const record& r)
{
    if (!g.file_date.empty()) {
        ErrLog2<21>("Date");
        return;
    }
    const sv d = s_trimText(s_restOf(r));
    if (d.size() > MAX_DATE) ErrLog3<34>("Date", "40");
    g.file_date = std::string(d.substr(0, MAX_DATE));
}

// [Source] and [Notes]: free text, once per file.
void s_freeText(const char* name, bool& found)
{
    if (found) ErrLog2<21>(name);
    found = true;
    s_skipData();
}

// ---------------------------------------------------------------------------
// Model (first pass)
// ---------------------------------------------------------------------------

// Model_type, Polarity, Enable: one word out of a fixed set, spelled exactly.
void s_modelWordSub(int sub, const items& it, char& code)
{
    const char* name = model_subs[sub].name;
    model& m = g.mdl;
    if (code != 0) {
        ErrLog3<57>(name, m.name);
        return;
    }
    if (it.cnt < 2) {
        ErrLog3<22>(name, "type");
        return;
    }
    if (it.cnt > 2) s_dataCountError(name, it.cnt, "2");
    const word_code* table = model_types;
    size_t n = std::size(model_types);
    if (sub == POLARITY_SUB) {
        table = polarities;
        n = std::size(polarities);
    } else if (sub == ENABLE_SUB) {
        table = enables;
        n = std::size(enables);
    }
    const sv v = it[1];
    for (size_t i = 0; i < n; ++i) {
        if (v == table[i].name) {
            code = table[i].code;
            return;
        }
    }
    for (size_t i = 0; i < n; ++i) {
        if (s_sameIC(v, table[i].name)) {
            ErrLog5<60>(name, v, m.name, table[i].name);
            return;
        }
    }
    ErrLog4<59>(name, v, m.name);
}

// Vinl, Vinh: "name = value", blanks around "=" optional.
void s_modelVin(int sub, const record& r, double& value, char& scale)
{
    const char* name = model_subs[sub].name;
    model& m = g.mdl;
    if (scale != 0) {
        ErrLog3<57>(name, m.name);
        return;
    }
    sv s = s_dataOf(r);
    const size_t c = s.find(g.comment);
    if (c != sv::npos) s = s.substr(0, c);
    size_t p = std::strlen(name);
    while (p < s.size() && s_blank(s[p])) ++p;
    if (p >= s.size() || s[p] != '=') {
        ErrLog3<58>(name, m.name);
        return;
    }
    ++p;
    while (p < s.size() && s_blank(s[p])) ++p;
    const size_t b = p;
    while (p < s.size() && !s_blank(s[p])) ++p;
    const sv v = s.substr(b, p - b);
    if (v.empty() || v.size() > MAX_VIN_VALUE) {
        ErrLog3<58>(name, m.name);
        return;
    }
    while (p < s.size() && s_blank(s[p])) ++p;
    if (p < s.size()) ErrLog2<24>(name);
    scale = GetValue(v, false, name, value);
}

void s_modelSubparam(const record& r)
{
    const items it = s_split(s_dataOf(r), true, true);
    model& m = g.mdl;
    int sub = -1;
    if (it.cnt > 0) {
        for (const model_sub_row& row : model_subs) {
            if (row.prefix ? it[0].substr(0, std::strlen(row.name)) == row.name : it[0] == row.name) {
                sub = row.num;
                break;
            }
        }
    }
    switch (sub) {
    case MODEL_TYPE_SUB:
        s_modelWordSub(sub, it, m.typ);
        break;
    case POLARITY_SUB:
        s_modelWordSub(sub, it, m.polarity);
        break;
    case ENABLE_SUB:
        s_modelWordSub(sub, it, m.n_able);
        break;
    case VINL_SUB:
        s_modelVin(sub, r, m.vinl, m.vinl_scale);
        break;
    case VINH_SUB:
        s_modelVin(sub, r, m.vinh, m.vinh_scale);
        break;
    case C_COMP_SUB:
        if (m.Ctyp_scale != 0) {
            ErrLog3<57>("C_comp", m.name);
            break;
        }
        s_readTypMinMax(it, "C_comp",
                        {value_ref{&m.Ctyp, &m.Ctyp_scale, false}, value_ref{&m.Cmin, &m.Cmin_scale, true},
                         value_ref{&m.Cmax, &m.Cmax_scale, true}},
                        TMM_NAMES);
        break;
    default:
        ErrLog2<45>("Model");
        break;
    }
}

void s_voltageRange(const record& r)
{
    model& m = g.mdl;
    const items it = s_split(s_restOf(r), true, true);
    if (m.VRtyp_scale != 0) {
        ErrLog3<57>("Voltage Range", m.name);
        return;
    }
    const value_ref vals[3] = {{&m.VRtyp, &m.VRtyp_scale, false},
                               {&m.VRmin, &m.VRmin_scale, true},
                               {&m.VRmax, &m.VRmax_scale, true}};
    const char* missing[3] = {"Typical Value", "Minimum Value", "Maximum Value"};
    for (int i = 0; i < 3; ++i) {
        if (it.cnt > i) {
            *vals[i].scale = GetValue(it[i], vals[i].allowNA, "Voltage range", *vals[i].value);
        } else {
            ErrLog3<20>("Voltage range", missing[i]);
        }
    }
    if (it.cnt > 3) s_keyCountError(VOLTAGE_RANGE_KEY, it.cnt, "4");
}

struct table_ref {
    std::vector<curve>* rows;
    short* cnt;
    const char* label;      // used by every message of the table
    const char* one_label;  // used by message 16 (a table of one row)
};

table_ref s_table(int kw)
{
    model& m = g.mdl;
    switch (kw) {
    case PULLDOWN_KEY:
        return {&m.pulldown, &m.pulldown_cnt, "Pulldown", "Pulldown"};
    case PULLUP_KEY:
        return {&m.pullup, &m.pullup_cnt, "Pullup", "Pullup"};
    case GND_CLAMP_KEY:
        return {&m.GND_clamp, &m.GND_clamp_cnt, "GND_clamp", "GND_clamp"};
    default:
        return {&m.POWER_clamp, &m.POWER_clamp_cnt, "POWER_clamp", "Power_clamp"};
    }
}

// [Pulldown], [Pullup], [GND_Clamp], [POWER_Clamp]: rows of voltage and
// typ/min/max currents, at most MAX_ROWS of them.
void s_curveTable(const record& r)
{
    model& m = g.mdl;
    const table_ref t = s_table(r.kw);
    if (!s_onceSectionStart(r, *t.cnt != -1, [&] { ErrLog3<57>(t.label, m.name); })) return;
    *t.cnt = 0;
    s_eachDataLine([&](const record& d) {
        // A row past the limit is dropped before its words are looked at.
        if (*t.cnt >= MAX_ROWS) {
            ErrLog3<61>(s_num(MAX_ROWS), t.label);
            return;
        }
        const items it = s_split(s_dataOf(d), true, true);
        if (it.cnt == 0) {
            ErrLog2<45>(t.label);
            return;
        }
        curve c;
        c.V_scale = GetValue(it[0], false, t.label, c.voltage);
        const value_ref vals[3] = {{&c.Ityp, &c.Ityp_scale, true},
                                   {&c.Imin, &c.Imin_scale, true},
                                   {&c.Imax, &c.Imax_scale, true}};
        const char* cols[3] = {"I(Typ)", "I(Min)", "I(Max)"};
        for (int i = 0; i < 3; ++i) {
            if (it.cnt > i + 1) {
                *vals[i].scale = GetValue(it[i + 1], true, t.label, *vals[i].value);
                if (i == 0 && c.Ityp_scale == 'N' && *t.cnt == 0) ErrLog4<18>(m.name, t.label, "Starts");
            } else {
                ErrLog3<47>(t.label, cols[i]);
            }
        }
        if (it.cnt > 4) s_dataCountError(t.label, it.cnt, "4");
        t.rows->push_back(c);
        ++*t.cnt;
    });
    if (*t.cnt > 0 && t.rows->back().Ityp_scale == 'N') ErrLog4<18>(m.name, t.label, "Ends");
}

// One ratio "numerator/denominator" of a ramp line.
void s_ratio(sv word, sv label, bool allowNA, double& a, char& a_scale, double& b, char& b_scale)
{
    if (allowNA && s_isNA(word)) {
        a_scale = b_scale = 'N';
        return;
    }
    const size_t slash = word.find('/');
    if (slash == sv::npos) {
        ErrLog3<26>(label, word);
        return;
    }
    a_scale = GetValue(word.substr(0, slash), false, label, a);
    b_scale = GetValue(word.substr(slash + 1), false, label, b);
}

void s_ramp(const record& r)
{
    model& m = g.mdl;
    if (!s_onceSectionStart(r, m.ramp_found, [&] { ErrLog3<57>("Ramp", m.name); })) return;
    m.ramp_found = true;
    s_eachDataLine([&](const record& d) {
        const items it = s_split(s_dataOf(d), true, true);
        ramp* rp = nullptr;
        if (it.cnt > 0 && it[0] == "dV/dt_r") rp = &m.dVdt_r;
        if (it.cnt > 0 && it[0] == "dV/dt_f") rp = &m.dVdt_f;
        if (rp == nullptr) {
            ErrLog2<45>("Ramp");
            return;
        }
        const sv label = it[0];
        if (rp->typa_scale != 0) {
            ErrLog3<63>(label, m.name);
            return;
        }
        if (it.cnt > 1) {
            s_ratio(it[1], label, false, rp->typa, rp->typa_scale, rp->typb, rp->typb_scale);
        } else {
            ErrLog3<47>(label, "Typical");
        }
        if (it.cnt > 2) {
            s_ratio(it[2], label, true, rp->mina, rp->mina_scale, rp->minb, rp->minb_scale);
        } else {
            ErrLog3<47>(label, "Minimum");
        }
        if (it.cnt > 3) {
            s_ratio(it[3], label, true, rp->maxa, rp->maxa_scale, rp->maxb, rp->maxb_scale);
        } else {
            ErrLog3<47>(label, "Maximum");
        }
        if (it.cnt > 4) s_dataCountError(label, it.cnt, "4");
    });
}

bool s_isModelKeyword(int kw) { return kw >= VOLTAGE_RANGE_KEY && kw <= RAMP_KEY; }

// The checks made when a model ends.
void s_modelEnd()
{
    const model& m = g.mdl;
    if (m.typ == 0) ErrLog3<11>("Model_type", m.name);
    if (m.Ctyp_scale == 0) ErrLog3<11>("C_comp", m.name);
    if (m.VRtyp_scale == 0) ErrLog2<12>(m.name);
    if (m.ramp_found) {
        if (m.dVdt_r.typa_scale == 0) ErrLog3<14>("dV/dt_r", m.name);
        if (m.dVdt_f.typa_scale == 0) ErrLog3<14>("dV/dt_f", m.name);
    } else if (m.typ != 'i') {
        ErrLog2<13>(m.name);
    }
    for (int kw = PULLDOWN_KEY; kw <= POWER_CLAMP_KEY; ++kw) {
        const table_ref t = s_table(kw);
        if (*t.cnt == 0) ErrLog3<15>(t.label, m.name);
        if (*t.cnt == 1) ErrLog3<16>(m.name, t.one_label);
    }
}

// Skips a rejected model: its subparameters and its model keywords.
void s_skipModel()
{
    for (;;) {
        const record r = ReadRecord();
        if (r.kw != DATA_REC && !s_isModelKeyword(r.kw)) {
            s_pushBack(r);
            return;
        }
    }
}

// [Model]: the name, the subparameter lines, then the model keywords until
// any other keyword. An accepted model's name joins the model-name list.
void s_readModel(const record& r)
{
    const items it = s_split(s_restOf(r), true, true);
    if (it.cnt == 0) {
        ErrLog3<20>("Model", "model_name");
        s_skipModel();
        return;
    }
    if (it.cnt > 1) s_keyCountError(MODEL_KEY, it.cnt, "2");
    const sv name = it[0];
    bool rejected = false;
    if (name.size() > MAX_MODEL_NAME) {
        ErrLog3<34>("Model Name", "20");
        rejected = true;
    } else if (s_isReserved(name) || s_isNA(name)) {
        ErrLog3<55>("Model", name);
        rejected = true;
    } else if (g.model_index.count(std::string(name)) != 0) {
        ErrLog2<56>(name);
        rejected = true;
    } else if (g.model_names.size() >= MAX_MODELS) {
        ErrLog3<61>(s_num(MAX_MODELS), "Model Names");
        rejected = true;
    }
    if (rejected) {
        s_skipModel();
        return;
    }
    g.mdl = model{};
    g.mdl.name = std::string(name);

    record d = ReadRecord();
    while (d.kw == DATA_REC) {
        s_modelSubparam(d);
        d = ReadRecord();
    }
    for (;;) {
        if (d.kw == DATA_REC) {
            ErrLog1<27>();
        } else if (d.kw == VOLTAGE_RANGE_KEY) {
            s_voltageRange(d);
        } else if (d.kw >= PULLDOWN_KEY && d.kw <= POWER_CLAMP_KEY) {
            s_curveTable(d);
        } else if (d.kw == RAMP_KEY) {
            s_ramp(d);
        } else {
            s_pushBack(d);
            break;
        }
        d = ReadRecord();
    }
    s_modelEnd();
    g.model_names.push_back(g.mdl.name);
    g.model_index.insert(g.mdl.name);
}

// ---------------------------------------------------------------------------
// Component (second pass)
// ---------------------------------------------------------------------------

void s_manufacturer(const record& r)
{
    component& c = g.comp;
    if (!c.manufacturer.empty()) {
        ErrLog3<44>("Manufacturer", c.name);
        return;
    }
    const sv text = s_trimText(s_restOf(r));
    if (text.empty()) {
        ErrLog2<43>("Manufacturer");
        return;
    }
    if (text.size() > MAX_MANUFACTURER) ErrLog3<34>("Manufacturer's Name", "40");
    c.manufacturer = std::string(text.substr(0, MAX_MANUFACTURER));
}

void s_package(const record& r)
{
    component& c = g.comp;
    if (!s_onceSectionStart(r, c.package_found, [&] { ErrLog3<44>("Package", c.name); })) return;
    c.package_found = true;
    s_eachDataLine([&](const record& d) {
        const items it = s_split(s_dataOf(d), true, true);
        package* p = nullptr;
        if (it.cnt > 0 && it[0] == "R_pkg") p = &c.Rpkg;
        if (it.cnt > 0 && it[0] == "L_pkg") p = &c.Lpkg;
        if (it.cnt > 0 && it[0] == "C_pkg") p = &c.Cpkg;
        if (p == nullptr) {
            ErrLog2<45>("Package");
            return;
        }
        if (p->tp_scale != 0) {
            ErrLog3<46>(it[0], c.name);
            return;
        }
        s_readTypMinMax(it, it[0],
                        {value_ref{&p->tp, &p->tp_scale, false}, value_ref{&p->mn, &p->mn_scale, true},
                         value_ref{&p->mx, &p->mx_scale, true}},
                        TMM_NAMES);
    });
}

enum pin_col { COL_R, COL_L, COL_C };
constexpr const char* pin_cols[3] = {"R_pin", "L_pin", "C_pin"};

// Column of R_pin, L_pin and C_pin for each of the header's last three words.
struct pin_header {
    int words = 0;
    std::array<int, 3> col{};  // pin_col of header words 3, 4 and 5
};

// The [Pin] column header; returns false when it is rejected.
bool s_pinHeader(const record& r, pin_header& h)
{
    const items it = s_split(s_restOf(r), true, true);
    if (it.cnt < 1) {
        ErrLog3<20>("Pin", "signal_name");
    } else if (it[0] != "signal_name") {
        ErrLog3<48>("Second", "signal_name");
    }
    if (it.cnt < 2) {
        ErrLog3<20>("Pin", "model_name");
    } else if (it[1] != "model_name") {
        ErrLog3<48>("Third", "model_name");
    }
    if (it.cnt != 2 && it.cnt != 5) {
        s_keyCountError(PIN_KEY, it.cnt, "3 or 6");
        return false;
    }
    h.words = it.cnt;
    if (it.cnt == 2) return true;
    bool ok = true;
    std::array<bool, 3> seen{};
    for (int i = 0; i < 3; ++i) {
        const sv w = it[2 + i];
        int col = -1;
        for (int k = 0; k < 3; ++k) {
            if (w == pin_cols[k]) col = k;
        }
        if (col < 0) {
            ErrLog2<49>(w);
            ok = false;
            continue;
        }
        if (seen[col]) ErrLog2<50>(w);
        seen[col] = true;
        h.col[i] = col;
    }
    for (int k = 0; k < 3; ++k) {
        if (!seen[k]) {
            ErrLog2<51>(pin_cols[k]);
            ok = false;
        }
    }
    return ok;
}

void s_pinLine(const record& d, const pin_header& h)
{
    component& c = g.comp;
    if (c.pin_cnt >= MAX_PINS) {
        ErrLog2<3>(c.name);
        return;
    }
    const items it = s_split(s_dataOf(d), true, true);
    if (it.cnt == 0) {
        ErrLog2<45>("Pin");
        return;
    }
    if (it.cnt != 3 && it.cnt != 6) {
        s_dataCountError("Pin", it.cnt, "3 or 6");
        return;
    }
    if (it.cnt == 6 && h.words == 2) ErrLog1<52>();
    const sv name = it[0];
    if (name.size() > MAX_PIN_NAME) {
        ErrLog3<34>("Pin Name", "5");
        return;
    }
    if (s_isReserved(name) || s_isNA(name)) {
        ErrLog3<55>("Pin", name);
        return;
    }
    const std::string key(name);
    if (c.pin_names.count(key) != 0) {
        ErrLog2<53>(name);
        return;
    }
    pin p;
    p.pin = key;
    const sv signal = it[1];
    if (signal.size() > MAX_SIGNAL_NAME) {
        ErrLog3<35>(name, "signal_name");
    } else if (s_isNA(signal)) {
        ErrLog3<55>("Signal", signal);
    }
    p.signal_name = std::string(signal.substr(0, MAX_SIGNAL_NAME));
    const sv mname = it[2];
    if (mname.size() > MAX_MODEL_NAME) {
        ErrLog3<35>(name, "model_name");
    } else if (s_isNA(mname)) {
        ErrLog3<55>("Model", mname);
    } else if (!s_isReserved(mname) && g.model_index.count(std::string(mname)) == 0) {
        ErrLog3<54>(mname, name);
    }
    p.model_name = std::string(mname.substr(0, MAX_MODEL_NAME));
    if (it.cnt == 6 && h.words == 5) {
        double* vals[3] = {&p.rpin, &p.lpin, &p.cpin};
        char* scales[3] = {&p.rpin_scale, &p.lpin_scale, &p.cpin_scale};
        for (int i = 0; i < 3; ++i) {
            const int col = h.col[i];
            const sv w = it[3 + i];
            if (w.size() > MAX_PIN_VALUE) {
                ErrLog3<34>(pin_cols[col], "9");
            } else {
                *scales[col] = GetValue(w, true, pin_cols[col], *vals[col]);
            }
        }
    }
    c.pins.push_back(std::move(p));
    c.pin_names.insert(key);
    ++c.pin_cnt;
}

void s_pin(const record& r)
{
    component& c = g.comp;
    if (c.pin_cnt != -1) {
        ErrLog3<44>("Pin", c.name);
        s_skipData();
        return;
    }
    pin_header h;
    if (!s_pinHeader(r, h)) {
        c.pin_cnt = -2;
        s_skipData();
        return;
    }
    c.pin_cnt = 0;
    s_eachDataLine([&](const record& d) { s_pinLine(d, h); });
}

void s_componentEnd()
{
    const component& c = g.comp;
    if (c.manufacturer.empty()) ErrLog3<10>("Manufacturer", c.name);
    if (c.package_found) {
        if (c.Rpkg.tp_scale == 0) ErrLog3<9>("R_pkg", c.name);
        if (c.Lpkg.tp_scale == 0) ErrLog3<9>("L_pkg", c.name);
        if (c.Cpkg.tp_scale == 0) ErrLog3<9>("C_pkg", c.name);
    } else {
        ErrLog3<10>("Package", c.name);
    }
    if (c.pin_cnt == -1) ErrLog3<10>("Pin", c.name);
    if (c.pin_cnt == 0) ErrLog2<17>(c.name);
}

// [Component]: the name, then [Manufacturer], [Package] and [Pin] until any
// other keyword.
void s_readComponent(const record& r)
{
    g.comp = component{};
    component& c = g.comp;
    const sv name = s_trimText(s_restOf(r));
    if (name.empty()) {
        ErrLog2<43>("Component");
    } else if (name.size() > MAX_COMPONENT_NAME) {
        ErrLog3<34>("Component", "40");
    }
    c.name = std::string(name.substr(0, MAX_COMPONENT_NAME));
    for (;;) {
        const record d = ReadRecord();
        if (d.kw == DATA_REC) {
            ErrLog1<27>();
        } else if (d.kw == MANUFACTURER_KEY) {
            s_manufacturer(d);
        } else if (d.kw == PACKAGE_KEY) {
            s_package(d);
        } else if (d.kw == PIN_KEY) {
            s_pin(d);
        } else {
            s_pushBack(d);
            break;
        }
    }
    s_componentEnd();
    if (!c.name.empty()) ++g.components;
}

// ---------------------------------------------------------------------------
// Passes
// ---------------------------------------------------------------------------

// Skips a component and its keywords in the first pass.
void s_skipComponent()
{
    for (;;) {
        const record r = ReadRecord();
        if (r.kw != DATA_REC && r.kw != MANUFACTURER_KEY && r.kw != PACKAGE_KEY && r.kw != PIN_KEY) {
            s_pushBack(r);
            return;
        }
    }
}

// First pass: header and models. Returns true when [End] was reached and the
// second pass can start.
bool s_firstPass()
{
    for (;;) {
        const record r = ReadRecord();
        switch (r.kw) {
        case EOF_REC:
            return false;
        case DATA_REC:
            ErrLog1<27>();
            break;
        case KIVO_VER_KEY:
            if (!s_kivoVer(r)) {
                g.version_rejected = true;
                return false;
            }
            break;
        case FILE_NAME_KEY:
            s_fileName(r);
            break;
        case FILE_REV_KEY:
            s_fileRev(r);
            break;
        case DATE_KEY:
            s_date(r);
            break;
        case SOURCE_KEY:
            s_freeText("Source", g.source_found);
            break;
        case NOTES_KEY:
            s_freeText("Notes", g.notes_found);
            break;
        case DISCLAIMER_KEY:
            s_skipData();
            break;
        case COMPONENT_KEY:
            s_skipComponent();
            break;
        case MANUFACTURER_KEY:
        case PACKAGE_KEY:
        case PIN_KEY:
            ErrLog3<25>(keyword_text[r.kw], "Component");
            s_skipData();
            break;
        case MODEL_KEY:
            s_readModel(r);
            break;
        case END_KEY:
            g.end_found = true;
            if (fseek(g.fp, 0L, SEEK_SET) != 0) {
                ErrLog1<8>();
                return false;
            }
            clearerr(g.fp);
            return true;
        default:
            if (s_isModelKeyword(r.kw)) {
                ErrLog3<25>(keyword_text[r.kw], "Model");
                s_skipData();
            } else {
                ErrLog2<2>(keyword_text[r.kw]);
            }
            break;
        }
    }
}

// After [End]: every non-comment line is reported, and lines are width-checked.
void s_afterEnd(const record& r)
{
    const items it = s_split(s_restOf(r), true, true);
    if (it.cnt > 0) s_keyCountError(END_KEY, it.cnt, "1");
    g.check80 = true;
    while (s_nextLine()) {
        if (!s_isCommentAt(s_firstNonBlank())) ErrLog1<33>();
    }
}

// Second pass: components, then the lines after [End].
void s_secondPass()
{
    g.pass = 2;
    g.line_num = 0;
    g.comment = '|';
    g.check80 = false;
    g.used_rec = false;
    // The skip flag stays as the first pass left it: [End] cleared it, so a
    // data line before the first keyword of the file is reported again here.
    for (;;) {
        const record r = ReadRecord();
        switch (r.kw) {
        case EOF_REC:
            return;
        case DATA_REC:
            ErrLog1<27>();
            break;
        case COMPONENT_KEY:
            s_readComponent(r);
            break;
        case END_KEY:
            s_afterEnd(r);
            return;
        default:
            s_skipData();
            break;
        }
    }
}

void ReadFile()
{
    if (s_firstPass()) s_secondPass();
}

// ---------------------------------------------------------------------------
// Start and end
// ---------------------------------------------------------------------------

// Every table row carries its own number; the code relies on the numbers
// being the row positions.
constexpr bool s_keysInOrder()
{
    for (int i = 0; i < EM_COUNT; ++i) {
        if (em[i].key != i) return false;
    }
    return true;
}
static_assert(s_keysInOrder(), "message keys equal their row numbers");

bool s_tablesConsistent()
{
    for (int i = 0; i < KEY_COUNT; ++i) {
        if (keywords[i].num != i) {
            ErrLog1<0>();
            return false;
        }
    }
    for (int i = 0; i < SUB_COUNT; ++i) {
        if (model_subs[i].num != i) {
            ErrLog1<1>();
            return false;
        }
    }
    return true;
}

std::string s_changeCase(const std::string& s, bool upper)
{
    std::string out = s;
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(upper ? std::toupper(u) : std::tolower(u));
    }
    return out;
}

// Checks the name and opens the file; false when the run ends at the start.
bool init(const char* sArg)
{
    g = v01_state{};
    if (!s_tablesConsistent()) return false;
    std::string name = sArg != nullptr ? sArg : "";
    const size_t sep = name.find_last_of("\\/");
    std::string base = sep == std::string::npos ? name : name.substr(sep + 1);
    g.opened_name = name;
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos) {
        const std::string ext = base.substr(dot);
        if (ext != ".kvo" && ext != ".KVO") {
            ErrLog1<5>();
            return false;
        }
    } else {
        name += ".kvo";
        base += ".kvo";
    }
    g.given_base = base;
    g.opened_name = name;
    if (name.size() > MAX_FILE_NAME) {
        ErrLog2<7>(name);
        return false;
    }
    for (const std::string& tryName : {name, s_changeCase(name, false), s_changeCase(name, true)}) {
        g.fp = fopen(tryName.c_str(), "r");
        if (g.fp != nullptr) {
            g.opened_name = tryName;
            break;
        }
    }
    if (g.fp == nullptr) {
        ErrLog2<7>(name);
        return false;
    }
    g.started = true;
    printf("\nChecking %s for KIVO 1.1 Compatibility...\n\n", g.opened_name.c_str());
    return true;
}

void CleanUp()
{
    if (g.started) {
        if (g.KIVO_ver.empty()) ErrLog2<6>("KIVO VER");
        if (!g.version_rejected) {
            if (g.file_name.empty()) ErrLog2<6>("FILE NAME");
            if (g.file_rev.empty()) ErrLog2<6>("FILE REV");
            if (g.end_found && g.components == 0) ErrLog2<6>("COMPONENT");
            if (!g.end_found) ErrLog2<6>("END");
        }
    }
    if (g.bugs > 0 || g.errors > 0 || g.warnings > 0) fputc('\n', stdout);
    if (g.bugs > 0) printf("Bugs    : %d\n", g.bugs);
    printf("Errors  : %d\n", g.errors);
    if (g.warnings > 0) printf("Warnings: %d\n", g.warnings);
    printf("\nFile %s: %s\n", g.opened_name.c_str(), (g.bugs > 0 || g.errors > 0) ? "Failed" : "Passed");
}

void s_usage()
{
    puts("KIVO 1.1 file validation:\n");
    puts("This program is provided free of charge to the electrical engineering community.");
    puts("Its purpose is to validate that the contents of an ASCII device-data file");
    puts("conform to the KIVO standard of the version the file declares,");
    puts("here version 1.1.");
    puts("KIVO_CHK Version 1.1.a\n");
    puts("Usage: kivo_chk <KIVO filename>\n");
}

}  // namespace

void V01_Reset()
{
    if (g.fp != nullptr) fclose(g.fp);
    g = v01_state{};
}

int v01_main(int argc, char** argv)
{
    if (argc != 2) {
        s_usage();
        fflush(stdout);
        exit(1);
    }
    V01_Reset();
    if (init(argv[1])) ReadFile();
    CleanUp();
    fflush(stdout);
    V01_Reset();
    return 0;
}
