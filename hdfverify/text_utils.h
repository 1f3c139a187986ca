// Small text and list helpers shared by the verification steps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hdfverify {

// The pieces of text between occurrences of delimiter. Empty pieces between two
// delimiters or before a leading one are kept; a delimiter at the very end gives
// no empty last piece; an empty text gives no piece. Unlike the plot
// generator's split (platform's splitKeepingEveryPiece) it drops an empty last
// piece; unlike platform's splitSkippingEmpty it keeps the other empty pieces.
std::vector<std::string> splitString(std::string_view text, char delimiter);

// text without leading and trailing blanks, line feeds, carriage returns and
// tabs. Unlike the scanner's trimBlanks and platform's trimBlanksAndTabs, it
// takes line ends off too (and tabs, which trimBlanks leaves).
std::string trimString(std::string_view text);

// Same length and the same characters after ASCII lower-casing.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// The first n characters of a and b are equal after lower-casing; a text shorter
// than n compares its end (a zero) with the other's character. n <= 0 gives true.
bool equalsIgnoreCaseN(std::string_view a, std::string_view b, long n);

// Occurrences of c in text.
int countChar(std::string_view text, char c);

// Whether some entry equals text exactly.
bool isInList(const std::vector<std::string>& list, std::string_view text);

// Position of the first entry that equals text exactly; -1 when none does.
int indexInList(const std::vector<std::string>& list, std::string_view text);

// A text from a file made safe for a message of the report: '&', '<' and '>'
// escaped for the HTML page the report becomes part of.
std::string esc(std::string_view text);

}  // namespace hdfverify
