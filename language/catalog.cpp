#include "language/catalog.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <deque>

namespace {

// Every catalog ever put in force, kept to the end of the session so that a
// text another thread holds is never freed; one per language at most.
std::deque<Catalog>& KeptCatalogs()
{
    static std::deque<Catalog> kept;
    return kept;
}

const Catalog& EnglishCatalog()
{
    static const Catalog english{"en", "English", false, '.', {}};
    return english;
}

std::atomic<const Catalog*> g_current{nullptr};

// A small reader for the one shape a built catalog has: objects whose values
// are strings, or (for "texts") one more object of strings.
struct Reader {
    std::string_view text;
    size_t at = 0;
    std::string error;

    void SkipSpace()
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\n' || text[at] == '\r' || text[at] == '\t')) ++at;
    }
    bool Expect(char c)
    {
        SkipSpace();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        if (error.empty()) error = std::string("expected '") + c + "' at byte " + std::to_string(at);
        return false;
    }
    bool Peek(char c)
    {
        SkipSpace();
        return at < text.size() && text[at] == c;
    }
    bool Hex4(uint32_t& code)
    {
        if (at + 4 > text.size()) return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text[at++];
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : (c >= 'a' && c <= 'f')                   ? c - 'a' + 10
                              : (c >= 'A' && c <= 'F')                   ? c - 'A' + 10
                                                                         : -1;
            if (digit < 0) return false;
            code = code * 16 + static_cast<uint32_t>(digit);
        }
        return true;
    }
    bool String(std::string& out)
    {
        if (!Expect('"')) return false;
        out.clear();
        while (at < text.size()) {
            const char c = text[at++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) break;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at >= text.size()) break;
            const char e = text[at++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    uint32_t code = 0;
                    if (!Hex4(code)) goto bad;
                    if (code >= 0xD800 && code < 0xDC00) {
                        uint32_t low = 0;
                        if (at + 2 > text.size() || text[at] != '\\' || text[at + 1] != 'u') goto bad;
                        at += 2;
                        if (!Hex4(low) || low < 0xDC00 || low >= 0xE000) goto bad;
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    } else if (code >= 0xDC00 && code < 0xE000) {
                        goto bad;
                    }
                    AppendUtf8(out, code);
                    break;
                }
                default: goto bad;
            }
        }
    bad:
        if (error.empty()) error = "a bad string at byte " + std::to_string(at);
        return false;
    }
};

}  // namespace

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool ParseCatalog(std::string_view json, Catalog& out, std::string& error)
{
    Reader r{json, 0, {}};
    Catalog built;
    bool sawTexts = false;
    std::string key;
    std::string value;
    bool ok = r.Expect('{');
    while (ok && !r.Peek('}')) {
        ok = r.String(key) && r.Expect(':');
        if (!ok) break;
        if (key == "texts") {
            sawTexts = true;
            ok = r.Expect('{');
            while (ok && !r.Peek('}')) {
                ok = r.String(key) && r.Expect(':') && r.String(value);
                if (ok) built.texts.emplace_back(key, value);
                if (ok && !r.Peek('}')) ok = r.Expect(',');
            }
            ok = ok && r.Expect('}');
        } else {
            ok = r.String(value);
            if (!ok) break;
            if (key == "code") built.code = value;
            else if (key == "name") built.name = value;
            else if (key == "direction") built.rightToLeft = value == "rtl";
            else if (key == "decimal") built.decimalMark = value == "," ? ',' : '.';
        }
        if (ok && !r.Peek('}')) ok = r.Expect(',');
    }
    ok = ok && r.Expect('}');
    r.SkipSpace();
    if (ok && r.at != json.size()) {
        ok = false;
        r.error = "text after the catalog";
    }
    if (ok && (built.code.empty() || !sawTexts)) {
        ok = false;
        r.error = "a catalog needs a code and its texts";
    }
    if (!ok) {
        error = r.error;
        return false;
    }
    std::sort(built.texts.begin(), built.texts.end());
    built.texts.erase(std::unique(built.texts.begin(), built.texts.end(),
                                  [](const auto& a, const auto& b) { return a.first == b.first; }),
                      built.texts.end());
    out = std::move(built);
    return true;
}

void UseCatalog(Catalog catalog)
{
    std::deque<Catalog>& kept = KeptCatalogs();
    for (const Catalog& c : kept) {
        if (c.code == catalog.code && c.name == catalog.name && c.rightToLeft == catalog.rightToLeft &&
            c.decimalMark == catalog.decimalMark && c.texts == catalog.texts) {
            g_current.store(&c, std::memory_order_release);
            return;
        }
    }
    kept.push_back(std::move(catalog));
    g_current.store(&kept.back(), std::memory_order_release);
}

void UseEnglish()
{
    g_current.store(nullptr, std::memory_order_release);
}

const Catalog& CurrentCatalog()
{
    const Catalog* c = g_current.load(std::memory_order_acquire);
    return c != nullptr ? *c : EnglishCatalog();
}

namespace {

// english's translation in the catalog in force, or nullptr.
const std::string* Translation(std::string_view english)
{
    const Catalog* c = g_current.load(std::memory_order_acquire);
    if (c == nullptr || english.empty()) return nullptr;
    const auto found = std::lower_bound(c->texts.begin(), c->texts.end(), english,
                                        [](const auto& entry, std::string_view k) { return entry.first < k; });
    return found != c->texts.end() && found->first == english ? &found->second : nullptr;
}

}  // namespace

const char* Tr(const char* english)
{
    if (english == nullptr) return english;
    const std::string* found = Translation(english);
    return found != nullptr ? found->c_str() : english;
}

std::string Tr(std::string_view english)
{
    const std::string* found = Translation(english);
    return found != nullptr ? *found : std::string(english);
}

std::string TrArgs(const char* english, std::initializer_list<std::string_view> args)
{
    const std::string_view pattern(Tr(english));
    std::string out;
    out.reserve(pattern.size() + 32);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(pattern[i + 1] - '1');
            if (n < args.size()) {
                out += *(args.begin() + n);
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::string LocalNumber(std::string text)
{
    const char mark = CurrentCatalog().decimalMark;
    if (mark != '.') std::replace(text.begin(), text.end(), '.', mark);
    return text;
}

namespace {

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::replace(out.begin(), out.end(), '_', '-');
    return out;
}

std::string PrimaryTag(const std::string& tag)
{
    return tag.substr(0, tag.find('-'));
}

}  // namespace

std::string MatchLanguage(const std::vector<std::string>& preferred, const std::vector<std::string>& available)
{
    for (const std::string& want : preferred) {
        const std::string w = Lower(want);
        for (const std::string& have : available) {
            if (Lower(have) == w) return have;
        }
        for (const std::string& have : available) {
            if (PrimaryTag(Lower(have)) == PrimaryTag(w)) return have;
        }
    }
    return "en";
}
