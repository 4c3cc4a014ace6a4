#pragma once

#include <string>
#include <string_view>

// The comparison form of text: what the search box and the stored text are
// both turned into before a `like` compares them, so that a reader typing on
// a Persian keyboard finds text stored with Arabic letter forms, vowel marks,
// tatweel or Persian digits, and Latin letters match without case.
//
// Works on UTF-8 bytes. Bytes that are not valid UTF-8 pass through as they
// are; the output is never longer than the input.
namespace data {

std::string fold(std::string_view utf8);

// Appends the folded form of `utf8` to `out`, so that many texts can be
// folded into one buffer without a temporary each.
void foldAppend(std::string_view utf8, std::string &out);

} // namespace data
