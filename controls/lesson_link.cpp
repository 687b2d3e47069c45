// A lesson in a link: the compact JSON in base64url after "#lesson=", so a
// teacher posts one address and the page opens with the lesson.
#include <string>

#include "formats/base64url.h"
#include "formats/json_reader.h"
#include "controls/lesson.h"
#include "language/catalog.h"

namespace {

constexpr std::string_view kLinkKey = "lesson=";

// The JSON without the blanks between its tokens.
std::string CompactJson(std::string_view text)
{
    std::string out;
    bool inString = false, escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped) escaped = false;
            else if (c == '\\') escaped = true;
            else if (c == '"') inString = false;
        } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            continue;
        } else if (c == '"') {
            inString = true;
        }
        out += c;
    }
    return out;
}

}  // namespace

std::string LessonLink(const Lesson& lesson) { return std::string(kLinkKey) + Base64Url(CompactJson(WriteLesson(WithoutDefaults(lesson)))); }

bool OpenLessonLink(std::string_view fragment, std::string& message)
{
    if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
    std::string text;
    if (fragment.substr(0, kLinkKey.size()) != kLinkKey) {
        message = LessonRefusal(Tr("the link: expected \"#lesson=\" and the lesson after it"));
        return false;
    }
    fragment.remove_prefix(kLinkKey.size());
    if (fragment.size() > (kMaxLessonBytes * 4 + 2) / 3) {
        message =
            LessonRefusal(TrArgs("the link: expected at most %1 bytes of lesson", {std::to_string(kMaxLessonBytes)}));
        return false;
    }
    if (!FromBase64Url(fragment, text)) {
        message = LessonRefusal(
            Tr("the link: expected base64url (letters, digits, '-' and '_'); it may have been cut short"));
        return false;
    }
    return OpenLesson(text, message);
}
