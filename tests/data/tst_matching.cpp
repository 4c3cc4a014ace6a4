// Text matching: the folded form both sides of a comparison take, the `like`
// wildcards over it, and the like() the SQL engine runs.

#include "folding.h"
#include "likematcher.h"

#include <QByteArray>
#include <QTest>
#include <QVariant>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string_view view(const QByteArray &bytes)
{
    return {bytes.constData(), std::size_t(bytes.size())};
}

QByteArray bytesOf(const std::string &s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

bool likeMatches(const QByteArray &pattern, const QByteArray &text)
{
    return data::LikeMatcher(view(pattern)).matches(data::fold(view(text)));
}

// Characters as a reader of the text counts them: a well-formed UTF-8
// sequence is one, every byte that is not part of one is one of its own.
// Decoded through the code point so that it shares nothing with the
// matcher's own byte ranges.
std::vector<std::string> characters(const std::string &s)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t need = 0;
        char32_t cp = 0;
        char32_t least = 0;
        if ((c & 0xE0) == 0xC0) {
            need = 1;
            cp = c & 0x1F;
            least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            need = 2;
            cp = c & 0x0F;
            least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            need = 3;
            cp = c & 0x07;
            least = 0x10000;
        }
        bool whole = need > 0 && i + need < s.size();
        for (std::size_t k = 1; whole && k <= need; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            whole = (b & 0xC0) == 0x80;
            cp = (cp << 6) | (b & 0x3F);
        }
        whole = whole && cp >= least && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        const std::size_t n = whole ? need + 1 : 1;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

// `like` by dynamic programming over whole characters: slow and plain.
bool referenceLike(const std::string &pattern, const std::string &text)
{
    const std::vector<std::string> p = characters(pattern);
    const std::vector<std::string> t = characters(text);
    // row[j]: the pattern so far matches the first j characters of the text
    std::vector<char> row(t.size() + 1, 0);
    row[0] = 1;
    for (const std::string &pc : p) {
        std::vector<char> next(t.size() + 1, 0);
        for (std::size_t j = 0; j <= t.size(); ++j) {
            if (pc == "%")
                next[j] = row[j] || (j > 0 && next[j - 1]);
            else if (j > 0)
                next[j] = row[j - 1] && (pc == "_" || pc == t[j - 1]);
        }
        row = std::move(next);
    }
    return row[t.size()];
}

QByteArray hex(const std::string &s)
{
    return bytesOf(s).toHex(' ');
}

// A row of SQL's answer: an integer, or a null QVariant for NULL.
QVariant scalar(sqlite3 *db, const QByteArray &sql, QByteArray *error = nullptr)
{
    sqlite3_stmt *stmt = nullptr;
    QVariant value;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK) {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW && sqlite3_column_type(stmt, 0) != SQLITE_NULL)
            value = sqlite3_column_int(stmt, 0);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE && error)
            *error = sqlite3_errmsg(db);
    } else if (error) {
        *error = sqlite3_errmsg(db);
    }
    sqlite3_finalize(stmt);
    return value;
}

QList<int> ids(sqlite3_stmt *stmt)
{
    QList<int> out;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        out.append(sqlite3_column_int(stmt, 0));
    sqlite3_reset(stmt);
    return out;
}

} // namespace

class TestMatching final : public QObject
{
    Q_OBJECT

private:
    sqlite3 *m_db = nullptr;

private slots:
    void init();
    void cleanup();

    void foldRules_data();
    void foldRules();
    void foldAppendKeepsWhatIsThere();
    void acrossForms_data();
    void acrossForms();
    void wildcards_data();
    void wildcards();
    void invalidUtf8_data();
    void invalidUtf8();
    void escape_data();
    void escape();
    void agreesWithCharacterReference();
    void sqlLike_data();
    void sqlLike();
    void sqlEscapeOfTwoCharactersIsAnError();
    void sqlFiltersTable();
    void sqlPatternChangingPerRow();
};

void TestMatching::init()
{
    QCOMPARE(sqlite3_open(":memory:", &m_db), SQLITE_OK);
    data::registerLikeFunction(m_db);
}

void TestMatching::cleanup()
{
    sqlite3_close(m_db);
    m_db = nullptr;
}

void TestMatching::foldRules_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("folded");

    QTest::newRow("empty text") << QByteArray() << QByteArray();
    QTest::newRow("Latin case") << QByteArray("Hello WORLD") << QByteArray("hello world");
    QTest::newRow("Latin case: the bytes either side of A-Z stay, in the eight-byte path and after it")
        << QByteArray("@ABCDEFGHIJKLMNOPQRSTUVWXYZ[`{ @Z[") << QByteArray("@abcdefghijklmnopqrstuvwxyz[`{ @z[");
    QTest::newRow("Latin case: a capital right after a Persian letter") << QByteArray("بQ") << QByteArray("بq");
    QTest::newRow("Latin-1 capitals") << QByteArray("ÀÉÖØÞ") << QByteArray("àéöøþ");
    QTest::newRow("Latin-1: multiplication sign, sharp s and y diaeresis are not capitals")
        << QByteArray("×ßÿ÷") << QByteArray("×ßÿ÷");
    QTest::newRow("Latin Extended-A capitals, even and odd runs") << QByteArray("ĀĞĲĹŁŇŊŒŠŶŹŽ") << QByteArray("āğĳĺłňŋœšŷźž");
    QTest::newRow("Latin Extended-A: small letters without a capital stay") << QByteArray("ıĸŉſ") << QByteArray("ıĸŉſ");
    QTest::newRow("Latin Extended-A: Y diaeresis and dotted I") << QByteArray("Ÿİ") << QByteArray("ÿi");
    QTest::newRow("Persian yeh") << QByteArray("ی") << QByteArray("ي");
    QTest::newRow("alef maksura") << QByteArray("ى") << QByteArray("ي");
    QTest::newRow("yeh barree") << QByteArray("ے") << QByteArray("ي");
    QTest::newRow("kaf forms") << QByteArray("کك") << QByteArray("كك");
    QTest::newRow("alef with madda") << QByteArray("آ") << QByteArray("ا");
    QTest::newRow("alef with hamza above and below, alef wasla") << QByteArray("أإٱ") << QByteArray("ااا");
    QTest::newRow("teh marbuta") << QByteArray("ة") << QByteArray("ه");
    QTest::newRow("heh with yeh above and heh goal") << QByteArray("ۀہ") << QByteArray("هه");
    QTest::newRow("diacritics ignored: كِتَابٌ") << QByteArray("كِتَابٌ") << QByteArray("كتاب");
    QTest::newRow("diacritics: the whole range U+064B..U+065F and superscript alef")
        << QByteArray("ب\u064B\u0650\u0651\u0652\u0654\u065Fب\u0670") << QByteArray("بب");
    QTest::newRow("diacritics: neighbours of the range stay") << QByteArray("\u064A\u0621\u0624") << QByteArray("\u064A\u0621\u0624");
    QTest::newRow("tatweel") << QByteArray("كـتـــاب") << QByteArray("كتاب");
    QTest::newRow("ZWNJ") << QByteArray("می\u200Cخواهم") << QByteArray("ميخواهم");
    QTest::newRow("ZWNJ only: joiner and other general punctuation stay")
        << QByteArray("\u200D\u200B\u2014") << QByteArray("\u200D\u200B\u2014");
    QTest::newRow("digits, Persian") << QByteArray("۰۱۲۳۴۵۶۷۸۹") << QByteArray("0123456789");
    QTest::newRow("digits, Arabic-Indic") << QByteArray("٠١٢٣٤٥٦٧٨٩") << QByteArray("0123456789");
    QTest::newRow("other scripts and symbols unchanged") << QByteArray("ΩЖ€😀بپچژگ") << QByteArray("ΩЖ€😀بپچژگ");
    QTest::newRow("invalid: stray continuation and lone lead bytes pass")
        << QByteArray("\x80" "A\xD9") << QByteArray("\x80" "a\xD9");
    QTest::newRow("invalid: a lead byte does not swallow the ASCII after it")
        << QByteArray("\xDB" "A\xDA" "B") << QByteArray("\xDB" "a\xDA" "b");
    QTest::newRow("invalid: cut-off ZWNJ at the end stays") << QByteArray("a\xE2\x80") << QByteArray("a\xE2\x80");
    QTest::newRow("invalid: overlong and surrogate forms pass")
        << QByteArray("\xC0\xAF\xED\xA0\x80\xFF") << QByteArray("\xC0\xAF\xED\xA0\x80\xFF");
}

void TestMatching::foldRules()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, folded);
    QCOMPARE(bytesOf(data::fold(view(text))), folded);
}

void TestMatching::foldAppendKeepsWhatIsThere()
{
    std::string arena = "كتاب|";
    data::foldAppend("ABC ی", arena);
    data::foldAppend("", arena);
    data::foldAppend("|ۀ", arena);
    QCOMPARE(bytesOf(arena), QByteArray("كتاب|abc ي|ه"));
}

void TestMatching::acrossForms_data()
{
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("Persian yeh finds Arabic yeh") << QByteArray("%علی%") << QByteArray("قال علي");
    QTest::newRow("Arabic yeh finds Persian yeh") << QByteArray("%علي%") << QByteArray("گفت علی");
    QTest::newRow("Persian kaf finds Arabic kaf") << QByteArray("%کتاب%") << QByteArray("الكتاب");
    QTest::newRow("Arabic kaf finds Persian kaf") << QByteArray("%كتاب%") << QByteArray("این کتاب");
    QTest::newRow("alef with madda found by plain alef") << QByteArray("%قران%") << QByteArray("قرآن کریم");
    QTest::newRow("plain alef found by alef with madda") << QByteArray("%قرآن%") << QByteArray("قران");
    QTest::newRow("hamza alef found by plain alef") << QByteArray("%اسلام%") << QByteArray("إسلام");
    QTest::newRow("diacritics ignored: كِتَاب found by كتاب") << QByteArray("%كتاب%") << QByteArray("كِتَاب");
    QTest::newRow("diacritics ignored in the pattern") << QByteArray("%وَرَتِّلِ%") << QByteArray("ورتل القرآن");
    QTest::newRow("tatweel in the text") << QByteArray("%الله%") << QByteArray("اللـــه");
    QTest::newRow("ZWNJ in the text, none typed") << QByteArray("%میشود%") << QByteArray("می\u200Cشود");
    QTest::newRow("ZWNJ typed, none in the text") << QByteArray("%می\u200Cشود%") << QByteArray("میشود");
    QTest::newRow("Persian digits found by ASCII digits") << QByteArray("%آیه 255%") << QByteArray("آیه ۲۵۵");
    QTest::newRow("ASCII digits found by Arabic-Indic digits") << QByteArray("%٢٥٥%") << QByteArray("255");
    QTest::newRow("teh marbuta found by heh") << QByteArray("%سوره%") << QByteArray("سورة البقرة");
    QTest::newRow("heh found by teh marbuta") << QByteArray("%سورة%") << QByteArray("سوره");
    QTest::newRow("heh with yeh above found by heh") << QByteArray("%خانه%") << QByteArray("خانۀ خدا");
    QTest::newRow("Latin case, capitals typed") << QByteArray("%TAJWID%") << QByteArray("Tajwid rules");
    QTest::newRow("Latin case, capitals stored") << QByteArray("%éCOLE%") << QByteArray("ÉCOLE");
}

void TestMatching::acrossForms()
{
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, text);
    QVERIFY(likeMatches(pattern, text));
}

void TestMatching::wildcards_data()
{
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("%% matches empty text") << QByteArray("%%") << QByteArray() << true;
    QTest::newRow("%% matches any text") << QByteArray("%%") << QByteArray("کتاب") << true;
    QTest::newRow("% matches empty text") << QByteArray("%") << QByteArray() << true;
    QTest::newRow("% matches any text") << QByteArray("%") << QByteArray("abc") << true;
    QTest::newRow("empty pattern matches empty text") << QByteArray() << QByteArray() << true;
    QTest::newRow("empty pattern does not match text") << QByteArray() << QByteArray("a") << false;
    QTest::newRow("pattern folding to nothing acts as empty") << QByteArray("\u064E") << QByteArray("a") << false;
    QTest::newRow("_ needs a character") << QByteArray("_") << QByteArray() << false;
    QTest::newRow("_ one ASCII character") << QByteArray("_") << QByteArray("a") << true;
    QTest::newRow("_ one Persian letter, two bytes") << QByteArray("_") << QByteArray("ب") << true;
    QTest::newRow("_ one four-byte character") << QByteArray("_") << QByteArray("😀") << true;
    QTest::newRow("_ not two characters") << QByteArray("_") << QByteArray("ab") << false;
    QTest::newRow("_ counts folded characters: diacritic gone") << QByteArray("__") << QByteArray("بَ") << false;
    QTest::newRow("____ counts four Persian letters") << QByteArray("____") << QByteArray("کتاب") << true;
    QTest::newRow("___ not four Persian letters") << QByteArray("___") << QByteArray("کتاب") << false;
    QTest::newRow("%_% needs a character") << QByteArray("%_%") << QByteArray() << false;
    QTest::newRow("%_% one character") << QByteArray("%_%") << QByteArray("ب") << true;
    QTest::newRow("a% anchored at the start") << QByteArray("a%") << QByteArray("abc") << true;
    QTest::newRow("a% not elsewhere") << QByteArray("a%") << QByteArray("bac") << false;
    QTest::newRow("%a anchored at the end") << QByteArray("%a") << QByteArray("cba") << true;
    QTest::newRow("%a not elsewhere") << QByteArray("%a") << QByteArray("cab") << false;
    QTest::newRow("a_c one between") << QByteArray("a_c") << QByteArray("abc") << true;
    QTest::newRow("a_c none between") << QByteArray("a_c") << QByteArray("ac") << false;
    QTest::newRow("a_c two between") << QByteArray("a_c") << QByteArray("abbc") << false;
    QTest::newRow("a_c Persian letter between") << QByteArray("a_c") << QByteArray("aبc") << true;
    QTest::newRow("no wildcard is equality") << QByteArray("abc") << QByteArray("abc") << true;
    QTest::newRow("no wildcard: longer text") << QByteArray("abc") << QByteArray("abcd") << false;
    QTest::newRow("no wildcard: text with a prefix") << QByteArray("abc") << QByteArray("xabc") << false;
    QTest::newRow("pattern longer than text") << QByteArray("abcd") << QByteArray("abc") << false;
    QTest::newRow("%pattern% longer than text") << QByteArray("%abcd%") << QByteArray("abc") << false;
    QTest::newRow("%word% in the middle") << QByteArray("%قرائت%") << QByteArray("آداب قرائت قرآن") << true;
    QTest::newRow("%word% absent") << QByteArray("%ترتیل%") << QByteArray("آداب قرائت قرآن") << false;
    QTest::newRow("%word% past sixteen bytes, at the very end")
        << QByteArray("%xyz%") << QByteArray("abcdefghijklmnopqrstuvwxyz") << true;
    QTest::newRow("%word% near miss among sixteen-byte candidates")
        << QByteArray("%abcd%") << QByteArray("................abxd................") << false;
    QTest::newRow("segments in order") << QByteArray("%a%b%") << QByteArray("xaxbx") << true;
    QTest::newRow("segments out of order") << QByteArray("%a%b%") << QByteArray("ba") << false;
    QTest::newRow("segments may not overlap") << QByteArray("%ab%ab") << QByteArray("ab") << false;
    QTest::newRow("leftmost middle match leaves room") << QByteArray("a%b%b") << QByteArray("abb") << true;
    QTest::newRow("prefix and suffix may not overlap") << QByteArray("ab%ba") << QByteArray("aba") << false;
    QTest::newRow("prefix and suffix meet") << QByteArray("ab%ba") << QByteArray("abba") << true;
    QTest::newRow("prefix, middle and suffix") << QByteArray("a%b%c") << QByteArray("abc") << true;
    QTest::newRow("prefix, middle and suffix out of order") << QByteArray("a%b%c") << QByteArray("acb") << false;
    QTest::newRow("_ in a middle segment") << QByteArray("%b_d%") << QByteArray("abcde") << true;
    QTest::newRow("_ in a middle segment, wrong letter after") << QByteArray("%b_d%") << QByteArray("abde") << false;
    QTest::newRow("_ before a middle literal: later occurrence") << QByteArray("%_b%") << QByteArray("bab") << true;
    QTest::newRow("_ before a middle literal at the start") << QByteArray("%_b%") << QByteArray("bc") << false;
    QTest::newRow("_ before and after, Persian") << QByteArray("%_ت_%") << QByteArray("کتاب") << true;
    QTest::newRow("%_ needs a last character") << QByteArray("%_") << QByteArray() << false;
    QTest::newRow("%_ last character is Persian") << QByteArray("%_") << QByteArray("ب") << true;
    QTest::newRow("%a_ anchored with multibyte last") << QByteArray("%a_") << QByteArray("xaب") << true;
    QTest::newRow("%a_ anchored, one too many") << QByteArray("%a_") << QByteArray("aبب") << false;
    QTest::newRow("middle segment with _ may not run into the suffix") << QByteArray("%b_%c") << QByteArray("bc") << false;
    QTest::newRow("suffix with _ may not reach back over the prefix") << QByteArray("ab%_b") << QByteArray("ab") << false;
    QTest::newRow("[ and ] are literal") << QByteArray("[a]") << QByteArray("[a]") << true;
    QTest::newRow("[a] is no character class") << QByteArray("[a]") << QByteArray("a") << false;
    QTest::newRow("* is literal") << QByteArray("a*") << QByteArray("abc") << false;
    QTest::newRow("? is literal") << QByteArray("a?") << QByteArray("ab") << false;
    QTest::newRow("backslash is literal, no escape") << QByteArray("\\%") << QByteArray("\\abc") << true;
    QTest::newRow("backslash does not escape %") << QByteArray("\\%") << QByteArray("%") << false;
    QTest::newRow("single quote") << QByteArray("%'s%") << QByteArray("it's") << true;
    QTest::newRow("doubled single quote") << QByteArray("%''%") << QByteArray("a''b") << true;
    QTest::newRow("% in the text matched by _") << QByteArray("%5_") << QByteArray("50%5%") << true;
    QTest::newRow("% in the pattern is always a wildcard") << QByteArray("50%") << QByteArray("500") << true;
    QTest::newRow("_ in the text matched by _") << QByteArray("a_b") << QByteArray("a_b") << true;
}

void TestMatching::wildcards()
{
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, text);
    QFETCH(bool, expected);
    QCOMPARE(likeMatches(pattern, text), expected);
}

void TestMatching::invalidUtf8_data()
{
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("_ takes a stray continuation byte") << QByteArray("_") << QByteArray("\x80") << true;
    QTest::newRow("_ takes one byte of a cut-off sequence") << QByteArray("_") << QByteArray("\xE2\x82") << false;
    QTest::newRow("__ takes both bytes of a cut-off sequence") << QByteArray("__") << QByteArray("\xE2\x82") << true;
    QTest::newRow("% over invalid text") << QByteArray("%") << QByteArray("\xFF\xFE") << true;
    QTest::newRow("literal between invalid bytes") << QByteArray("%a%") << QByteArray("\xFF" "a\xFE") << true;
    QTest::newRow("continuation byte is not found inside a letter") << QByteArray("%\x8A%") << QByteArray("ي") << false;
    QTest::newRow("lead byte is not found inside a letter") << QByteArray("%\xD9%") << QByteArray("ي") << false;
    QTest::newRow("cut-off pattern bytes are not a whole character") << QByteArray("%\xE2\x82%") << QByteArray("€") << false;
    QTest::newRow("cut-off pattern bytes before _") << QByteArray("\xE2\x82_") << QByteArray("€") << false;
    QTest::newRow("cut-off pattern bytes match the same bytes") << QByteArray("\xE2\x82_") << QByteArray("\xE2\x82" "a") << true;
    QTest::newRow("invalid byte as an anchored suffix") << QByteArray("%\x80") << QByteArray("a\x80") << true;
    QTest::newRow("invalid byte suffix is not the tail of a letter") << QByteArray("%\x8A") << QByteArray("aي") << false;
    QTest::newRow("text ending in a lone lead byte, %_") << QByteArray("%_") << QByteArray("ب\xD9") << true;
    QTest::newRow("_ steps back over an invalid byte") << QByteArray("%_a") << QByteArray("\xF0\x9F" "a") << true;
}

void TestMatching::invalidUtf8()
{
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, text);
    QFETCH(bool, expected);
    QCOMPARE(likeMatches(pattern, text), expected);
}

void TestMatching::escape_data()
{
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("escape");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("escaped % is literal") << QByteArray("50\\%") << QByteArray("\\") << QByteArray("50%") << true;
    QTest::newRow("escaped % is no wildcard") << QByteArray("50\\%") << QByteArray("\\") << QByteArray("500") << false;
    QTest::newRow("escaped _ is literal") << QByteArray("a\\_b") << QByteArray("\\") << QByteArray("axb") << false;
    QTest::newRow("escaped escape") << QByteArray("a\\\\b") << QByteArray("\\") << QByteArray("a\\b") << true;
    QTest::newRow("trailing escape matches nothing") << QByteArray("abc\\") << QByteArray("\\") << QByteArray("abc\\") << false;
    QTest::newRow("% as escape is no wildcard") << QByteArray("a%") << QByteArray("%") << QByteArray("abc") << false;
    QTest::newRow("% as escape, doubled is literal") << QByteArray("%%") << QByteArray("%") << QByteArray("%") << true;
    QTest::newRow("escaped letter still folds") << QByteArray("\\A\\ی") << QByteArray("\\") << QByteArray("aي") << true;
    QTest::newRow("escape that folding drops still escapes") << QByteArray("ـ%") << QByteArray("ـ") << QByteArray("%") << true;
    QTest::newRow("Persian escape before _") << QByteArray("%؟_") << QByteArray("؟") << QByteArray("چرا_") << true;
}

void TestMatching::escape()
{
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, escape);
    QFETCH(QByteArray, text);
    QFETCH(bool, expected);
    QCOMPARE(data::LikeMatcher(view(pattern), view(escape)).matches(data::fold(view(text))), expected);
}

// Random patterns and texts over pieces that meet in awkward ways: letters
// the folding changes, multibyte letters, and bytes that are invalid alone
// but may join their neighbours into a whole character. Half the patterns
// are drawn from their text with pieces turned into wildcards, so that
// matches and near misses are common.
void TestMatching::agreesWithCharacterReference()
{
    const std::vector<std::string> patternPieces = {"%", "%", "_", "_", "a", "b", "A", "ي", "ی", "€", "😀", "\x80", "\xD9",
                                                    "\xE2\x82", "\xAC"};
    const std::vector<std::string> textPieces = {"a", "b", "B", "ي", "ی", "€", "😀", "\x80", "\xD9", "\xE2\x82", "\xAC", "\x8A"};
    std::mt19937 random(20240601);
    const auto pick = [&](const std::vector<std::string> &pieces) { return pieces[random() % pieces.size()]; };
    int matched = 0;
    for (int round = 0; round < 30000; ++round) {
        std::vector<std::string> drawn(random() % 24);
        for (std::string &piece : drawn)
            piece = pick(textPieces);
        std::string text;
        std::string pattern;
        for (const std::string &piece : drawn) {
            text += piece;
            switch (random() % 10) {
            case 0: pattern += "_"; break;
            case 1: pattern += "%"; break;
            case 2: break;
            case 3: pattern += "%" + piece; break;
            case 4: pattern += pick(patternPieces); break;
            default: pattern += piece; break;
            }
        }
        if (round % 2 == 1) {
            pattern.clear();
            for (std::size_t n = random() % 8; n > 0; --n)
                pattern += pick(patternPieces);
        }
        const std::string folded = data::fold(text);
        const bool expected = referenceLike(data::fold(pattern), folded);
        matched += expected;
        if (data::LikeMatcher(pattern).matches(folded) != expected)
            QFAIL(qPrintable(QStringLiteral("pattern [%1] text [%2]: expected %3")
                                 .arg(QString::fromLatin1(hex(pattern)), QString::fromLatin1(hex(folded)))
                                 .arg(expected)));
    }
    // Both answers must be common, or the comparison proves little.
    QVERIFY(matched > 3000 && matched < 27000);
}

void TestMatching::sqlLike_data()
{
    QTest::addColumn<QByteArray>("sql");
    QTest::addColumn<QVariant>("expected");

    const QVariant yes(1);
    const QVariant no(0);
    const QVariant null;
    QTest::newRow("Persian kaf pattern finds Arabic kaf") << QByteArray("SELECT 'كتاب' like '%کتاب%'") << yes;
    QTest::newRow("Persian yeh stored, Arabic typed") << QByteArray("SELECT 'علی' like 'علي'") << yes;
    QTest::newRow("not a substring") << QByteArray("SELECT 'كتاب' like '%قرآن%'") << no;
    QTest::newRow("Latin case through SQL") << QByteArray("SELECT 'ABC' like 'abc'") << yes;
    QTest::newRow("NULL pattern gives NULL") << QByteArray("SELECT 'abc' like NULL") << null;
    QTest::newRow("NULL text gives NULL") << QByteArray("SELECT NULL like '%'") << null;
    QTest::newRow("NOT LIKE keeps NULL") << QByteArray("SELECT NULL not like 'a'") << null;
    QTest::newRow("NOT LIKE negates") << QByteArray("SELECT 'abc' not like '%b%'") << no;
    QTest::newRow("integer compared in text form") << QByteArray("SELECT 1234 like '12%'") << yes;
    QTest::newRow("real compared in text form") << QByteArray("SELECT 1.5 like '1._'") << yes;
    QTest::newRow("blob compared as its bytes") << QByteArray("SELECT x'414243' like 'abc'") << yes;
    QTest::newRow("doubled quote in the pattern") << QByteArray("SELECT 'it''s' like '%''s'") << yes;
    QTest::newRow("ESCAPE makes % literal") << QByteArray("SELECT '50%' like '50\\%' escape '\\'") << yes;
    QTest::newRow("ESCAPE: % escaped is no wildcard") << QByteArray("SELECT '500' like '50\\%' escape '\\'") << no;
    QTest::newRow("ESCAPE NULL gives NULL") << QByteArray("SELECT 'a' like 'a' escape NULL") << null;
    QTest::newRow("GLOB untouched: still case-sensitive") << QByteArray("SELECT 'ABC' glob 'abc'") << no;
}

void TestMatching::sqlLike()
{
    QFETCH(QByteArray, sql);
    QFETCH(QVariant, expected);
    QByteArray error;
    const QVariant value = scalar(m_db, sql, &error);
    QVERIFY2(error.isEmpty(), error.constData());
    QCOMPARE(value, expected);
}

void TestMatching::sqlEscapeOfTwoCharactersIsAnError()
{
    QByteArray error;
    scalar(m_db, "SELECT 'a' like 'a' escape 'ab'", &error);
    QCOMPARE(error, QByteArray("ESCAPE expression must be a single character"));
}

void TestMatching::sqlFiltersTable()
{
    const char *setup = "CREATE TABLE kolliyat(id INTEGER, kholase TEXT);"
                        "INSERT INTO kolliyat VALUES (1, 'آداب تلاوت کتاب خدا'), (2, 'الكِتَاب المبين'),"
                        " (3, 'قرائت سوره حمد'), (4, NULL), (5, 'کتـــابخانه'), (6, 'KETAB');";
    QCOMPARE(sqlite3_exec(m_db, setup, nullptr, nullptr, nullptr), SQLITE_OK);

    sqlite3_stmt *stmt = nullptr;
    QCOMPARE(sqlite3_prepare_v2(m_db, "SELECT id FROM kolliyat where kholase like '%کتاب%' ORDER BY id", -1, &stmt, nullptr),
             SQLITE_OK);
    QCOMPARE(ids(stmt), QList<int>({1, 2, 5}));
    sqlite3_finalize(stmt);

    // A bound pattern is cached for the run; a new binding must replace it.
    QCOMPARE(sqlite3_prepare_v2(m_db, "SELECT id FROM kolliyat where kholase like ?1 ORDER BY id", -1, &stmt, nullptr),
             SQLITE_OK);
    sqlite3_bind_text(stmt, 1, "%سورة%", -1, SQLITE_STATIC);
    QCOMPARE(ids(stmt), QList<int>({3}));
    sqlite3_bind_text(stmt, 1, "%ketab", -1, SQLITE_STATIC);
    QCOMPARE(ids(stmt), QList<int>({6}));
    sqlite3_finalize(stmt);
}

void TestMatching::sqlPatternChangingPerRow()
{
    const char *setup = "CREATE TABLE t(id INTEGER, pattern TEXT, text TEXT);"
                        "INSERT INTO t VALUES (1, '%a%', 'xax'), (2, '%b%', 'xax'), (3, '_', 'ب'), (4, 'a%', 'ba'),"
                        " (5, '%b%', 'b');";
    QCOMPARE(sqlite3_exec(m_db, setup, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    QCOMPARE(sqlite3_prepare_v2(m_db, "SELECT id FROM t where text like pattern ORDER BY id", -1, &stmt, nullptr), SQLITE_OK);
    QCOMPARE(ids(stmt), QList<int>({1, 3, 5}));
    sqlite3_finalize(stmt);

    // The same pattern under a different escape on each row.
    const char *escapes = "CREATE TABLE e(id INTEGER, esc TEXT, text TEXT);"
                          "INSERT INTO e VALUES (1, '\\', 'a%'), (2, 'x', 'a\\bc'), (3, '\\', 'abc');";
    QCOMPARE(sqlite3_exec(m_db, escapes, nullptr, nullptr, nullptr), SQLITE_OK);
    QCOMPARE(sqlite3_prepare_v2(m_db, "SELECT id FROM e where text like 'a\\%' escape esc ORDER BY id", -1, &stmt, nullptr),
             SQLITE_OK);
    QCOMPARE(ids(stmt), QList<int>({1, 2}));
    sqlite3_finalize(stmt);
}

QTEST_GUILESS_MAIN(TestMatching)
#include "tst_matching.moc"
