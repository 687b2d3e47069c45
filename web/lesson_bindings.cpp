// The page's way to lessons: open a file's text or a link's fragment, save
// the session, make a share link, and read the opened lesson's title and
// instructions. Texts come in as (pointer, length) in the module's memory;
// texts go out as NUL-terminated strings valid until the next call.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/lesson.h"

namespace {

std::string message;
std::string out;

std::string_view Text(const char* text, int32_t length)
{
    return text == nullptr || length <= 0 ? std::string_view() : std::string_view(text, static_cast<size_t>(length));
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int32_t tess_lesson_open(const char* text, int32_t length)
{
    return OpenLesson(Text(text, length), message) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int32_t tess_lesson_open_link(const char* text, int32_t length)
{
    return OpenLessonLink(Text(text, length), message) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE const char* tess_lesson_message() { return message.c_str(); }
EMSCRIPTEN_KEEPALIVE const char* tess_lesson_save(int32_t withAnswers)
{
    out = WriteLesson(CaptureLesson(withAnswers != 0));
    return out.c_str();
}
// A link is for students: a hidden field's place stays out of it.
EMSCRIPTEN_KEEPALIVE const char* tess_lesson_link()
{
    out = LessonLink(CaptureLesson(false));
    return out.c_str();
}
EMSCRIPTEN_KEEPALIVE const char* tess_lesson_title() { return OpenedTitle().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* tess_lesson_instructions() { return OpenedInstructions().c_str(); }

}  // extern "C"
