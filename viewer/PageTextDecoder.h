#pragma once
// The text of a page as it is shown: runs of blanks become one space and
// the entities lt, gt and amp become their characters.
#include <string>

// Any other entity, and one still open at the end of the text ("AT&T" before
// a tag), stays as written.
std::string DecodePageText(const std::string& raw);
