// Fuzz target for the lesson reader: any file a student opens or link they follow goes through ParseLesson.
// Whatever the bytes, it ends with a lesson or a message, and a lesson it takes writes out and reads back as
// the same lesson. Links carry lessons in base64url, read here too.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/lesson.h"
#include "formats/base64url.h"

namespace {

void ReadAndWriteBack(std::string_view text)
{
    Lesson lesson;
    std::string error;
    if (!ParseLesson(text, lesson, error)) {
        if (error.empty()) std::abort();
        return;
    }
    const std::string written = WriteLesson(lesson);
    Lesson again;
    if (!ParseLesson(written, again, error) || WriteLesson(again) != written) std::abort();
    for (int32_t i = 0; i < kLessonValues; ++i)
        if (again.present[i] != lesson.present[i] || (lesson.present[i] && again.value[i] != lesson.value[i]))
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReadAndWriteBack(text);
    // The same bytes as a link's fragment, and any bytes through base64url and back.
    std::string decoded;
    if (FromBase64Url(text, decoded)) ReadAndWriteBack(decoded);
    if (!FromBase64Url(Base64Url(text), decoded) || decoded != text) std::abort();
    return 0;
}
