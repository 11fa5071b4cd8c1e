// Text helpers of the inspector: encodings and the escaping of names for output.
#ifndef QOR_TOOLS_INSPECTOR_TEXTO_INSPECTOR_H
#define QOR_TOOLS_INSPECTOR_TEXTO_INSPECTOR_H

#include <string>

// Windows-1252 bytes as UTF-8 (the five unassigned bytes as the C1 controls).
std::string Utf8DeAnsi(const std::string &ansi);
// True when the bytes are well-formed UTF-8.
bool EsUtf8(const std::string &texto);
// A JSON string literal, quotes included, of UTF-8 text.
std::string Json(const std::string &utf8);
// A name fit for a line of text: control characters are shown as \xNN.
std::string Visible(const std::string &nombre);

#endif
