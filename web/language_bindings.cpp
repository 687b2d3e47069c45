// The language in force on the page: a catalog the page fetched from lang/
// put in force for every text the bindings hand over afterwards, and the
// match of the browser's preferred languages against the site's list.
#include <emscripten/emscripten.h>

#include <string>
#include <string_view>
#include <vector>

#include "formats/json_writer.h"
#include "language/catalog.h"

namespace {

std::string text;  // the last text handed to the page

// Lines of a text, empty ones left out.
std::vector<std::string> Lines(const char* joined)
{
    std::vector<std::string> out;
    std::string_view rest(joined != nullptr ? joined : "");
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        if (end != 0) out.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return out;
}

}  // namespace

extern "C" {

// json: a built catalog, or "" for the program's own English. The catalog
// in force afterwards (the old one kept when this one is refused):
// {"ok":b,"error":t,"code":t,"name":t,"direction":"ltr"|"rtl","decimal":t}.
EMSCRIPTEN_KEEPALIVE const char* tess_use_catalog(const char* json)
{
    std::string error;
    if (json == nullptr || *json == '\0') {
        UseEnglish();
    } else {
        Catalog catalog;
        if (ParseCatalog(json, catalog, error)) UseCatalog(std::move(catalog));
    }
    const Catalog& c = CurrentCatalog();
    JsonWriter j;
    j.OpenObject(), j.Bool("ok", error.empty()), j.Text("error", error.c_str()), j.Text("code", c.code.c_str());
    j.Text("name", c.name.c_str()), j.Text("direction", c.rightToLeft ? "rtl" : "ltr");
    j.Text("decimal", std::string(1, c.decimalMark).c_str()), j.CloseObject();
    text = std::move(j.out);
    return text.c_str();
}

// preferred and available: one language tag a line (navigator.languages,
// the codes of languages.json). The best code, "en" when none serves.
EMSCRIPTEN_KEEPALIVE const char* tess_match_language(const char* preferred, const char* available)
{
    text = MatchLanguage(Lines(preferred), Lines(available));
    return text.c_str();
}

}  // extern "C"
