// File-dialog filters: the program keeps them in the "description|pattern|..."
// form; Qt wants "description (pattern);;...".
#pragma once

#include <string>
#include <vector>

// One entry per description/pattern pair, as Qt's name filters; "*.*" becomes "*"
// so that names without an extension are listed too.
std::vector<std::string> qtNameFilters(const std::string& pipeFilter);
