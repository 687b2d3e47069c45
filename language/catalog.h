#pragma once
// Every text the program shows passes through Tr(): the English text is the
// key, so the tables stay readable, a tool can list every text
// (scripts/catalogs.sh runs xgettext over N_ and Tr), and a text missing from
// a catalog shows in English rather than as nothing. A catalog is built from
// a translator's .po file (scripts/po_to_json.py) into a JSON file that both
// editions load: the desktop from its resources, the page from lang/.
//
// Threads: the user-interface thread chooses the catalog; any thread may
// translate. A catalog is published by one pointer swap and never freed, so
// a text handed out stays valid for the whole session.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Marks a text in a table of constants for the extractor; the table's reader
// translates it where it is shown.
#define N_(text) text

struct Catalog {
    std::string code;         // BCP 47: "de", "pt-BR", "zh-CN", "ar"; "en" for the program's own
    std::string name;         // the language's own name, for the language menu
    bool rightToLeft = false;
    char decimalMark = '.';
    std::vector<std::pair<std::string, std::string>> texts;  // sorted by the English key
};

// Appends code (a Unicode scalar value) to out as UTF-8: for the readers of
// \u escapes here and in the lesson files' JSON.
void AppendUtf8(std::string& out, uint32_t code);

// Reads a built catalog: {"code": ..., "name": ..., "direction": "ltr"|"rtl",
// "decimal": "." | ",", "texts": {english: translated, ...}}. On failure the
// error names what was wrong and out is unchanged.
bool ParseCatalog(std::string_view json, Catalog& out, std::string& error);

// Puts a catalog in force for every thread (user-interface thread only). A
// catalog equal to one used before is that one again, so switching back and
// forth costs no memory; a changed one (a translator's new try) is kept too.
void UseCatalog(Catalog catalog);
void UseEnglish();

// The catalog in force; English (code "en", no texts) when none was chosen.
const Catalog& CurrentCatalog();

// english translated by the catalog in force, or english itself when the
// catalog lacks it. The pointer stays valid for the whole session.
const char* Tr(const char* english);
std::string Tr(std::string_view english);

// english translated, then %1 ... %9 replaced by args in order (a translation
// may put them in another order).
std::string TrArgs(const char* english, std::initializer_list<std::string_view> args);

// A number written with a point, with the catalog's decimal mark in its
// place: for readouts and forms, never for files.
std::string LocalNumber(std::string text);

// The catalog code that best serves a reader who prefers the given
// languages in order (BCP 47 tags, "de-AT", "zh-Hans-CN", "pt"): the exact
// tag, else one with the same language, else "en".
std::string MatchLanguage(const std::vector<std::string>& preferred, const std::vector<std::string>& available);
