// A portable INI reader and writer that reads and writes values as
// GetPrivateProfileStringA and WritePrivateProfileStringA do. It serves the
// platforms without those functions, and on Windows the tests hold it
// against them.
#pragma once

// Copies the value of section/key, or defaultValue (trailing spaces removed)
// when the file, the section or the key is missing, into out, cut to
// outSize - 1 characters; one pair of matching quotes around the text is
// removed. Returns the number of characters copied. A null section or key
// reads as missing, a null default as empty.
int iniGetString(const char* section, const char* key, const char* defaultValue, char* out, int outSize,
                 const char* file);

// Sets section/key to value, creating the file, the section and the key as
// needed and keeping every other line. Returns false, with the file
// untouched, when the entry is refused (see iniEntryWritable) or the file
// cannot be read or replaced.
bool iniWriteString(const char* section, const char* key, const char* value, const char* file);

// A write must not make lines other than its own key: no text may hold a
// line break, and the key may neither hold '=' nor start with '['.
// Null texts are refused.
bool iniEntryWritable(const char* section, const char* key, const char* value);
