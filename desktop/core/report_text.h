// The scan report's bytes as the report view shows them. The report holds the
// data file's own header texts and paths as bytes: UTF-8 from a UTF-8 file or
// folder name, 8-bit Latin-1 from an older file. The bytes on disk stay as they
// are; only the view decodes them.
#pragma once

#include <string>
#include <string_view>

// Whether the bytes are well-formed UTF-8: shortest forms only, no surrogates,
// nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// The report's text as UTF-8: the bytes themselves when they are valid UTF-8,
// otherwise each byte taken as the Latin-1 character of its value.
std::string reportTextAsUtf8(std::string_view bytes);
