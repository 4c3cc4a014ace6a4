#include "likematcher.h"

#include "folding.h"

#include <cstring>
#include <memory>
#include <new>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace data {
namespace {

constexpr std::size_t NoMatch = std::string_view::npos;

inline bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Bytes in the character that starts at `i`: the length of a well-formed
// UTF-8 sequence there, or 1 for a byte that does not start one (a stray
// continuation byte, an overlong or surrogate form, a cut-off sequence).
std::size_t charLength(std::string_view text, std::size_t i)
{
    const auto *s = reinterpret_cast<const unsigned char *>(text.data()) + i;
    const std::size_t left = text.size() - i;
    const unsigned char c = s[0];
    if (c < 0xC2)
        return 1;
    if (c < 0xE0)
        return (left >= 2 && isContinuation(s[1])) ? 2 : 1;
    if (c < 0xF0) {
        if (left < 3 || !isContinuation(s[2]))
            return 1;
        const unsigned char lo = (c == 0xE0) ? 0xA0 : 0x80;
        const unsigned char hi = (c == 0xED) ? 0x9F : 0xBF;
        return (s[1] >= lo && s[1] <= hi) ? 3 : 1;
    }
    if (c < 0xF5) {
        if (left < 4 || !isContinuation(s[2]) || !isContinuation(s[3]))
            return 1;
        const unsigned char lo = (c == 0xF0) ? 0x90 : 0x80;
        const unsigned char hi = (c == 0xF4) ? 0x8F : 0xBF;
        return (s[1] >= lo && s[1] <= hi) ? 4 : 1;
    }
    return 1;
}

// Whether a character starts at `i`. Only a continuation byte can sit inside
// one, and then the sequence that holds it starts at most three bytes back
// at the nearest byte that is not a continuation byte.
bool isCharStart(std::string_view text, std::size_t i)
{
    if (i == 0 || i >= text.size() || !isContinuation(static_cast<unsigned char>(text[i])))
        return true;
    for (std::size_t back = 1; back <= 3 && back <= i; ++back) {
        const std::size_t j = i - back;
        if (!isContinuation(static_cast<unsigned char>(text[j])))
            return j + charLength(text, j) <= i;
    }
    return true;
}

// Start of the character that ends at `i` (i > 0, i at a character start).
std::size_t previousCharStart(std::string_view text, std::size_t i)
{
    for (std::size_t back = 1; back < 4 && back < i; ++back) {
        if (isCharStart(text, i - back))
            return i - back;
    }
    return i >= 4 ? i - 4 : 0;
}

bool isWellFormed(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = charLength(s, i);
        if (n == 1 && static_cast<unsigned char>(s[i]) >= 0x80)
            return false;
        i += n;
    }
    return true;
}

std::size_t countChars(std::string_view s)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); i += charLength(s, i))
        ++count;
    return count;
}

// The filter byte for the search: in Persian text the lead bytes D8..DB and
// the space are everywhere, so the first continuation byte of the needle
// (which names the letter) lets far fewer false candidates through.
std::size_t chooseProbe(std::string_view needle)
{
    for (std::size_t i = 0; i + 1 < needle.size(); ++i) {
        if (isContinuation(static_cast<unsigned char>(needle[i])))
            return i;
    }
    return 0;
}

// Byte offset of the first occurrence of `needle` in `text` at or after
// `from`. Candidates are filtered sixteen at a time on two bytes of the
// needle, its probe byte and its last, before a full compare.
std::size_t findBytes(std::string_view text, std::size_t from, std::string_view needle, std::size_t probe)
{
    const std::size_t n = text.size();
    const std::size_t m = needle.size();
    if (m > n || from > n - m)
        return NoMatch;
    const auto *t = reinterpret_cast<const unsigned char *>(text.data());
    if (m == 0)
        return from;
    if (m == 1) {
        const void *hit = std::memchr(t + from, needle[0], n - from);
        return hit ? static_cast<const unsigned char *>(hit) - t : NoMatch;
    }
    const auto *w = reinterpret_cast<const unsigned char *>(needle.data());
    const unsigned char probeByte = w[probe];
    const unsigned char lastByte = w[m - 1];
    std::size_t i = from;
#ifdef __SSE2__
    const __m128i probes = _mm_set1_epi8(static_cast<char>(probeByte));
    const __m128i lasts = _mm_set1_epi8(static_cast<char>(lastByte));
    for (; i + m + 15 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + i + probe));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(t + i + m - 1));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, probes), _mm_cmpeq_epi8(b, lasts))));
        while (mask != 0) {
            const std::size_t at = i + unsigned(__builtin_ctz(mask));
            if (std::memcmp(t + at, w, m - 1) == 0)
                return at;
            mask &= mask - 1;
        }
    }
#endif
    for (; i + m <= n; ++i) {
        if (t[i + probe] == probeByte && t[i + m - 1] == lastByte && std::memcmp(t + i, w, m - 1) == 0)
            return i;
    }
    return NoMatch;
}

} // namespace

LikeMatcher::LikeMatcher(std::string_view pattern, std::string_view escape)
{
    // The pattern is split on its raw characters and each literal run folded
    // on its own, so an escape character or a wildcard is recognised before
    // folding could change or drop it. Folding works character by character,
    // so the pieces fold as the whole would.
    std::vector<std::vector<Step>> pieces(1);
    Step step;
    std::string raw;
    const auto flushLiteral = [&] {
        foldAppend(raw, step.literal);
        raw.clear();
    };
    const auto flushStep = [&] {
        flushLiteral();
        if (step.skip > 0 || !step.literal.empty())
            pieces.back().push_back(std::move(step));
        step = Step();
    };

    for (std::size_t i = 0; i < pattern.size();) {
        const std::size_t n = charLength(pattern, i);
        const std::string_view c = pattern.substr(i, n);
        i += n;
        if (!escape.empty() && c == escape) {
            if (i == pattern.size()) {
                m_matchesNothing = true;
                return;
            }
            const std::size_t next = charLength(pattern, i);
            raw.append(pattern.substr(i, next));
            i += next;
        } else if (c == "%") {
            m_hasPercent = true;
            flushStep();
            pieces.emplace_back();
        } else if (c == "_") {
            flushLiteral();
            if (!step.literal.empty())
                flushStep();
            ++step.skip;
        } else {
            raw.append(c);
        }
    }
    flushStep();

    if (m_hasPercent) {
        m_anchorStart = !pieces.front().empty();
        m_anchorEnd = !pieces.back().empty();
    }
    for (std::vector<Step> &steps : pieces) {
        if (steps.empty())
            continue;
        Segment segment;
        for (const Step &s : steps) {
            segment.characters += s.skip + countChars(s.literal);
            segment.hasSkips = segment.hasSkips || s.skip > 0;
            segment.wellFormed = segment.wellFormed && isWellFormed(s.literal);
        }
        segment.probe = chooseProbe(steps.front().literal);
        segment.steps = std::move(steps);
        m_segments.push_back(std::move(segment));
    }
    m_plainContains = m_hasPercent && !m_anchorStart && !m_anchorEnd && m_segments.size() == 1
        && m_segments.front().steps.size() == 1 && !m_segments.front().hasSkips && m_segments.front().wellFormed;
}

bool LikeMatcher::matches(std::string_view text) const
{
    if (m_plainContains) {
        const Segment &s = m_segments.front();
        return findBytes(text, 0, s.steps.front().literal, s.probe) != NoMatch;
    }
    if (m_matchesNothing)
        return false;
    if (!m_hasPercent)
        return m_segments.empty() ? text.empty() : matchAt(m_segments.front(), text, 0) == text.size();

    auto first = m_segments.begin();
    auto last = m_segments.end();
    std::size_t pos = 0;
    std::size_t limit = text.size();
    if (m_anchorStart) {
        pos = matchAt(*first, text, 0);
        if (pos == NoMatch)
            return false;
        ++first;
    }
    if (m_anchorEnd) {
        --last;
        limit = startOfSuffix(*last, text, pos);
        if (limit == NoMatch)
            return false;
    }
    // Each segment spans a fixed number of characters, so the leftmost match
    // also ends leftmost and leaves the most room for the ones after it.
    for (; first != last; ++first) {
        pos = findFirst(*first, text, pos, limit);
        if (pos == NoMatch)
            return false;
    }
    return true;
}

// End of the match of `segment` starting at the character start `start`.
std::size_t LikeMatcher::matchAt(const Segment &segment, std::string_view text, std::size_t start)
{
    std::size_t pos = start;
    for (const Step &step : segment.steps) {
        for (std::size_t k = 0; k < step.skip; ++k) {
            if (pos >= text.size())
                return NoMatch;
            pos += charLength(text, pos);
        }
        const std::size_t n = step.literal.size();
        if (n == 0)
            continue;
        if (text.size() - pos < n || std::memcmp(text.data() + pos, step.literal.data(), n) != 0)
            return NoMatch;
        pos += n;
        if (!segment.wellFormed && !isCharStart(text, pos))
            return NoMatch;
    }
    return pos;
}

// End of the leftmost match of `segment` that starts at or after `from` and
// ends at or before `limit`.
std::size_t LikeMatcher::findFirst(const Segment &segment, std::string_view text, std::size_t from, std::size_t limit)
{
    const Step &head = segment.steps.front();
    if (head.literal.empty()) { // nothing but `_`
        const std::size_t end = matchAt(segment, text, from);
        return end <= limit ? end : NoMatch;
    }
    const std::string_view window = text.substr(0, limit);
    for (std::size_t at = from;; ++at) {
        at = findBytes(window, at, head.literal, segment.probe);
        if (at == NoMatch)
            return NoMatch;
        if (!segment.wellFormed && !isCharStart(text, at))
            continue;
        std::size_t start = at;
        std::size_t k = 0;
        for (; k < head.skip && start > from; ++k)
            start = previousCharStart(text, start);
        if (k < head.skip)
            continue;
        const std::size_t end = matchAt(segment, text, start);
        if (end == NoMatch)
            continue;
        return end <= limit ? end : NoMatch;
    }
}

// Start of the match of `segment` that ends the text, if it starts at or
// after `from`.
std::size_t LikeMatcher::startOfSuffix(const Segment &segment, std::string_view text, std::size_t from)
{
    std::size_t start = text.size();
    if (!segment.hasSkips) {
        const std::size_t n = segment.steps.front().literal.size();
        if (text.size() - from < n)
            return NoMatch;
        start -= n;
        if (!segment.wellFormed && !isCharStart(text, start))
            return NoMatch;
    } else {
        for (std::size_t k = 0; k < segment.characters; ++k) {
            if (start <= from)
                return NoMatch;
            start = previousCharStart(text, start);
        }
    }
    return matchAt(segment, text, start) == text.size() ? start : NoMatch;
}

namespace {

// What a statement keeps between rows: the matcher for its pattern, and the
// escape it was built with, since only the pattern's own changes drop it.
struct CachedPattern
{
    std::string escape;
    LikeMatcher matcher;
};

std::string_view textOf(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    if (text == nullptr)
        throw std::bad_alloc();
    return {text, std::size_t(sqlite3_value_bytes(value))};
}

void likeFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    // An exception must not unwind through SQLite's C frames.
    try {
        for (int i = 0; i < argc; ++i) {
            if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
                return; // a function that sets no result returns NULL
        }
        std::string_view escape;
        if (argc == 3) {
            escape = textOf(argv[2]);
            if (escape.empty() || charLength(escape, 0) != escape.size()) {
                sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
                return;
            }
        }
        auto *cached = static_cast<CachedPattern *>(sqlite3_get_auxdata(context, 0));
        std::unique_ptr<CachedPattern> fresh;
        if (cached == nullptr || cached->escape != escape) {
            fresh.reset(new CachedPattern{std::string(escape), LikeMatcher(textOf(argv[0]), escape)});
            cached = fresh.get();
        }
        thread_local std::string folded;
        folded.clear();
        foldAppend(textOf(argv[1]), folded);
        sqlite3_result_int(context, cached->matcher.matches(folded) ? 1 : 0);
        // Handed over last: SQLite may free it at once if it cannot keep it.
        if (fresh)
            sqlite3_set_auxdata(context, 0, fresh.release(), [](void *p) { delete static_cast<CachedPattern *>(p); });
    } catch (const std::bad_alloc &) {
        sqlite3_result_error_nomem(context);
    }
}

} // namespace

void registerLikeFunction(sqlite3 *db)
{
    // Innocuous as the built-in is, so views and triggers may still use it
    // when the schema is not trusted.
    int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
#ifdef SQLITE_INNOCUOUS
    flags |= SQLITE_INNOCUOUS;
#endif
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
}

} // namespace data
