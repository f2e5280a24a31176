#pragma once
// Replace every occurrence of one character in a zero-terminated text, in
// place, and return the text. The file dialogs turn the "|" separators of a
// filter text into the NULs the system wants this way.
char16_t* ReplaceCharW(char16_t* text, char16_t from, char16_t to);
char* ReplaceCharA(char* text, char from, char to);
