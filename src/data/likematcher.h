#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace data {

// A `like` pattern compiled once and tested against many texts: the engine
// builds one per statement through the SQL function below, and the importer
// runs one over its pre-folded copies of the stored text. The pattern is
// folded here; the text handed to matches() must already be folded, so both
// sides compare in the same form.
//
// `%` stands for any run of characters, `_` for exactly one character (a
// code point of the folded text, or one byte where the text is not valid
// UTF-8), anything else for itself. Without an escape character nothing is
// special but those two. The pattern splits at `%` into segments that are
// found left to right, the first one held to the start of the text unless
// the pattern opens with `%`, the last one to its end unless it closes with
// one; a lone `%...%` literal is a plain substring search.
class LikeMatcher final
{
public:
    // `escape` is the UTF-8 of one character that makes the next character
    // of the pattern literal, or empty for none.
    explicit LikeMatcher(std::string_view pattern, std::string_view escape = {});

    bool matches(std::string_view foldedText) const;

private:
    // Skip `skip` characters, then match `literal` byte for byte.
    struct Step
    {
        std::size_t skip = 0;
        std::string literal;
    };

    struct Segment
    {
        std::vector<Step> steps;
        std::size_t characters = 0; // every match spans exactly this many
        bool hasSkips = false;
        // All literals are valid UTF-8, so a byte match always starts and
        // ends between characters and needs no check of its edges.
        bool wellFormed = true;
        std::size_t probe = 0; // which byte of the first literal the search filters on
    };

    static std::size_t matchAt(const Segment &segment, std::string_view text, std::size_t start);
    static std::size_t findFirst(const Segment &segment, std::string_view text, std::size_t from, std::size_t limit);
    static std::size_t startOfSuffix(const Segment &segment, std::string_view text, std::size_t from);

    std::vector<Segment> m_segments;
    bool m_hasPercent = false;
    bool m_anchorStart = true;
    bool m_anchorEnd = true;
    bool m_plainContains = false; // `%literal%` with a well-formed literal
    bool m_matchesNothing = false; // the pattern ends in its escape character
};

// Installs like(pattern, text) and like(pattern, text, escape) on `db` in
// place of SQLite's own, so every LIKE the connection runs compares folded
// text.
void registerLikeFunction(sqlite3 *db);

} // namespace data
