// Lesson files: what is saved comes back value for value, a seed places a
// hidden field the same way every time, and every bad file is refused with
// a message naming its field while the records stay as they were.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "lesson/json_reader.h"
#include "lesson/lesson.h"
#include "tests/core/test_support.h"

namespace {

using V = LessonValue;

// A session far from the defaults, each value one a dialog could set.
void SetUpTeachersSession()
{
    ts::ResetEngine(Complex);
    receptiveField.centreX = 11.25f;
    receptiveField.centreY = 7.5f;
    receptiveField.orientation = 33.0f;
    receptiveField.spatialFrequency = 1.3f;
    receptiveField.width = 0.35f;
    receptiveField.length = 0.9f;
    receptiveField.centreSigma = 0.14f;
    receptiveField.displayMode = receptiveField.savedDisplayMode = Outlines;
    receptiveField.randomiseMode = RandomisePositionOrientation;
    stimulus.stimulusType = Grating;
    stimulus.stationaryMode = stimulus.stimulusOn = true;
    stimulus.stimX = 12.0f;
    stimulus.stimY = 8.0f;
    stimulus.polarity = -1;
    stimulus.gratingSf = 2.5f;
    stimulus.gratingVelocity = 3.5f;
    stimulus.modulationRate = 1.5f;
    stimulus.gratingPhase = 45.0f;
    stimulus.contrastPercent = 12.5f;
    stimulus.gratingRadius = 3.0f;
    stimulus.orientation = 120.0f;
    modelOptions.surroundWeight = 0.6f;
    modelOptions.gammaOrder = 3;
    modelOptions.spontaneousRate[5] = 0.3f;
    modelOptions.saturatingIO = false;
    modelOptions.halfMaxContrast = 12.0f;
    modelOptions.backgroundHash = true;
    buildFilters();
}

std::string Snapshot() { return WriteLesson(CaptureLesson(true)); }

}  // namespace

TEST(Lesson, SavedSessionComesBackValueForValue)
{
    SetUpTeachersSession();
    const Lesson saved = CaptureLesson(true);
    const std::string text = WriteLesson(saved);
    ts::ResetEngine(OnCentreX);
    std::string message;
    ASSERT_TRUE(OpenLesson(text, message)) << message;
    const Lesson opened = CaptureLesson(true);
    for (int32_t i = 0; i < kLessonValues; ++i) {
        EXPECT_EQ(opened.present[i], saved.present[i]) << LessonPath(static_cast<V>(i));
        EXPECT_EQ(opened.value[i], saved.value[i]) << LessonPath(static_cast<V>(i));
    }
    EXPECT_EQ(receptiveField.cellType, Complex);
    EXPECT_EQ(receptiveField.surroundSigma, 0.7f);  // five centre radii
    EXPECT_TRUE(stimulus.stationaryMode && stimulus.stimulusOn);
    EXPECT_EQ(stimulus.mouseX, 456);  // 12 degrees at 38 pixels per degree
    EXPECT_EQ(modelOptions.currentSpontaneousRate, 0.3f);  // the rates in force follow the cell
    EXPECT_EQ(text, WriteLesson(opened));
}

TEST(Lesson, PositionsFollowTheWindowLikeAResize)
{
    SetUpTeachersSession();
    const std::string text = Snapshot();
    ts::ResetEngine(Simple, 1, 2000, 1400);
    std::string message;
    ASSERT_TRUE(OpenLesson(text, message)) << message;
    EXPECT_FLOAT_EQ(receptiveField.centreX, 22.5f);
    EXPECT_FLOAT_EQ(stimulus.stimY, 16.0f);
}

TEST(Lesson, HiddenFieldIsSavedWithoutItsPlaceUnlessAnAnswerKey)
{
    SetUpTeachersSession();
    receptiveField.displayMode = Revealed;
    receptiveField.savedDisplayMode = Hidden;
    const std::string students = WriteLesson(CaptureLesson(false));
    const size_t from = students.find("\"cell\""), to = students.find("\"stimulus\"");
    const std::string cell = students.substr(from, to - from);
    EXPECT_EQ(cell.find("\"x\""), std::string::npos) << cell;
    EXPECT_EQ(cell.find("\"orientation\""), std::string::npos) << cell;
    EXPECT_NE(cell.find("\"display\": \"hidden\""), std::string::npos) << cell;
    const Lesson key = CaptureLesson(true);
    EXPECT_EQ(Get(key, V::CellX), 11.25f);
    EXPECT_EQ(Get(key, V::CellOrientation), 33.0f);
}

TEST(Lesson, SeedPlacesTheHiddenFieldTheSameWayForEveryone)
{
    const std::string seeded = R"({"format": "tessaline-lesson", "version": 1, "seed": 4242,
        "area": {"width": 1000, "height": 700}, "cell": {"type": "simple", "display": "hidden"}})";
    const std::string unseeded = R"({"format": "tessaline-lesson", "version": 1, "cell": {"display": "hidden"}})";
    auto place = [](const std::string& text, int32_t word) {
        ts::ResetEngine(OnCentreX, word);
        std::string message;
        EXPECT_TRUE(OpenLesson(text, message)) << message;
        EXPECT_EQ(receptiveField.displayMode, Hidden);
        return std::tuple{receptiveField.centreX.load(), receptiveField.centreY.load(), receptiveField.orientation.load()};
    };
    const auto first = place(seeded, 1);
    EXPECT_EQ(first, place(seeded, -987654));
    EXPECT_NE(first, std::tuple(500.0f / 38.0f, 350.0f / 38.0f, 90.0f));  // not the middle
    // Inside the margins a new field keeps (66 pixels, 166 from the top).
    EXPECT_GE(std::get<0>(first), 66 / 38.0f);
    EXPECT_GE(std::get<1>(first), 166 / 38.0f);
    EXPECT_NE(place(unseeded, -1), place(unseeded, -2));
    // A second seed gives a second place.
    std::string other = seeded;
    other.replace(other.find("4242"), 4, "4243");
    EXPECT_NE(first, place(other, 1));
}

TEST(Lesson, ShortLessonLeavesTheRestAtItsDefaults)
{
    SetUpTeachersSession();
    std::string message;
    ASSERT_TRUE(OpenLesson(R"({"format":"tessaline-lesson","version":1,"title":"Bars",
        "instructions":"Find the <b>bar</b>\n","stimulus":{"type":"bar"}})", message));
    EXPECT_EQ(OpenedTitle(), "Bars");
    EXPECT_EQ(OpenedInstructions(), "Find the <b>bar</b>\n");  // kept as text, shown as text
    EXPECT_EQ(receptiveField.cellType, Simple);
    EXPECT_FLOAT_EQ(receptiveField.centreX, 500.0f / 38.0f);
    EXPECT_EQ(modelOptions.gammaOrder, 6);
    EXPECT_FALSE(stimulus.stationaryMode);
    EXPECT_NE(WriteLesson(CaptureLesson(true)).find(R"("Find the \u003cb\u003ebar\u003c/b\u003e\n")"), std::string::npos);
}

TEST(Lesson, BadFilesAreRefusedNamingTheFieldAndChangeNothing)
{
    const std::string head = R"({"format":"tessaline-lesson","version":1,)";
    const struct {
        std::string text, says;
    } kCases[] = {
        {"not a lesson", "the file: expected JSON, line 1, column 1"},
        {head + R"("cell":{"type":"simple"})", "the file: expected JSON, line 1, column 66: expected ',' or '}'"},
        {"[1, 2]", "the file: expected a JSON object, found a list"},
        {R"({"format":"drawing","version":1})", "format: expected \"tessaline-lesson\", found \"drawing\""},
        {R"({"format":"tessaline-lesson","version":2})", "version: expected 1, found 2 (a lesson from a newer"},
        {R"({"format":"tessaline-lesson"})", "version: expected 1, found none"},
        {head + R"("cell":{"type":"pyramidal"}})", "cell.type: expected \"onCentreX\", \"offCentreX\", \"simple\", "
                                                  "\"directionalSimple\" or \"complex\", found \"pyramidal\""},
        {head + R"("cell":{"orientation":361}})", "cell.orientation: expected a number from 0 to 360, found 361"},
        {head + R"("cell":{"centreRadius":10}})", "cell.centreRadius: expected a number more than 0 and less than 10"},
        {head + R"("cell":{"width":0}})", "cell.width: expected a number more than 0, found 0"},
        {head + R"("cell":{"width":1e39}})", "cell.width: expected a number more than 0, found 1e39"},
        {head + R"("stimulus":{"radius":"big"}})", "stimulus.radius: expected a number more than 0 and less than 8"},
        {head + R"("stimulus":{"barWidth":14.5}})", "stimulus.barWidth: expected a number more than 0 and at most 14"},
        {head + R"("options":{"gammaOrder":2.5}})", "options.gammaOrder: expected a whole number from 1 to 10"},
        {head + R"("options":{"surroundWeight":5}})", "options.surroundWeight: expected a number from 0.02 to 4"},
        {head + R"("options":{"spontaneousRate":{"complex":102}}})",
         "options.spontaneousRate.complex: expected a number from 0 to 101"},
        {head + R"("options":{"saturating":1}})", "options.saturating: expected true or false, found 1"},
        {head + R"("cell":{"colour":"red"}})", "cell.colour: not a lesson field"},
        {head + R"("teacher":"me"})", "teacher: not a lesson field"},
        {head + R"("cell":{"x":3}})", "cell.y: expected beside cell.x"},
        {head + R"("cell":{"x":3,"y":4}})", "area: expected the width and height in pixels"},
        {head + R"("area":{"width":380,"height":380},"cell":{"x":11,"y":4}})",
         "cell.x: expected a number from 0 to 10 (inside the area), found 11"},
        {head + R"("seed":0})", "seed: expected a whole number from 1 to 2147483646, found 0"},
        {head + R"("title":")" + std::string(201, 'a') + "\"}", "title: expected a text of at most 200 bytes, found 201"},
        {head + R"("title":"a)", "line 1, column 52: a string that does not end"},
        {head + R"("cell":{"phase":1,"phase":2}})", "\"phase\" appears twice"},
        {head + std::string(70000, ' ') + "}", "the file: expected at most 65536 bytes, found 70042"},
        {std::string(20, '[') + std::string(20, ']'), "nested too deeply"},
    };
    SetUpTeachersSession();
    const std::string before = Snapshot();
    for (const auto& c : kCases) {
        std::string message;
        EXPECT_FALSE(OpenLesson(c.text, message)) << c.says;
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
        EXPECT_EQ(message.rfind("This lesson cannot be opened, and nothing was changed.\n", 0), 0u) << message;
        EXPECT_EQ(Snapshot(), before) << c.says;
    }
}

TEST(Lesson, RangeEndsAreTheDialogsOwn)
{
    // Each end a dialog takes is taken, and a step past it is refused.
    const std::string head = R"({"format":"tessaline-lesson","version":1,)";
    const struct {
        const char* section;
        const char* name;
        const char* takes;
        const char* refuses;
    } kEnds[] = {
        {"cell", "orientation", "360", "-0.001"}, {"cell", "centreRadius", "9.99", "0"},
        {"stimulus", "contrast", "100", "100.01"}, {"stimulus", "velocity", "20", "20.5"},
        {"stimulus", "radius", "7.99", "8"},       {"stimulus", "phase", "0", "-1"},
        {"options", "surroundWeight", "0.02", "0.01"}, {"options", "halfMaxContrast", "1", "0.5"},
    };
    for (const auto& e : kEnds) {
        for (const bool good : {true, false}) {
            const std::string text = head + "\"" + e.section + "\":{\"" + e.name + "\":" + (good ? e.takes : e.refuses) + "}}";
            Lesson lesson;
            std::string error;
            EXPECT_EQ(ParseLesson(text, lesson, error), good) << text << " " << error;
        }
    }
}

TEST(Lesson, JsonStringsReadTheirEscapes)
{
    JsonValue v;
    std::string error;
    ASSERT_TRUE(ReadJson(R"(["a\"b\\c\/\n", "\u00e9\ud83d\ude00", -0.5e1])", v, error)) << error;
    EXPECT_EQ(v.items[0].text, "a\"b\\c/\n");
    EXPECT_EQ(v.items[1].text, "\xc3\xa9\xf0\x9f\x98\x80");
    EXPECT_EQ(v.items[2].number, -5.0);
    for (const char* bad : {R"("\ud83d")", R"("\x")", "01", "1.", "-", "tru", "\"a\tb\""})
        EXPECT_FALSE(ReadJson(bad, v, error)) << bad;
}

TEST(LessonLink, CarriesTheLessonAndRefusesCutOrForeignLinks)
{
    SetUpTeachersSession();
    receptiveField.displayMode = receptiveField.savedDisplayMode = Hidden;
    const std::string before = Snapshot();
    const std::string link = "#" + LessonLink(CaptureLesson(false));
    EXPECT_EQ(link.find_first_not_of("#=ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"), std::string::npos);
    const struct {
        std::string fragment, says;
    } kBad[] = {
        {link.substr(0, link.size() - 7), "line 1, column"},                  // cut inside the JSON
        {link.substr(0, 8 + 4 * 50 + 1), "it may have been cut short"},       // cut inside a character
        {"#lesson=eyJ!", "expected base64url"},
        {"#tab=3", "the link: expected \"#lesson=\""},
        {"#lesson=" + Base64Url("{\"format\":\"tessaline-lesson\",\"version\":1,\"cell\":{\"type\":3}}"),
         "cell.type: expected \"onCentreX\""},
        {"#lesson=" + std::string(90000, 'A'), "at most 65536 bytes"},
    };
    for (const auto& c : kBad) {
        std::string message;
        EXPECT_FALSE(OpenLessonLink(c.fragment, message)) << c.says;
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
        EXPECT_EQ(Snapshot(), before) << c.says;
    }
    ts::ResetEngine(OnCentreX);
    std::string message;
    ASSERT_TRUE(OpenLessonLink(link, message)) << message;
    EXPECT_EQ(receptiveField.cellType, Complex);
    EXPECT_EQ(receptiveField.displayMode, Hidden);
    EXPECT_EQ(stimulus.contrastPercent, 12.5f);
    std::string bytes;
    ASSERT_TRUE(FromBase64Url(Base64Url("\xff\x01" "ab"), bytes));
    EXPECT_EQ(bytes, "\xff\x01" "ab");
}

// The two halves of the check that a lesson crosses between the editions:
// the desktop's core writes one for the web page to open (and save from its
// own session), then opens what the page saved. Run by ctest around the
// browser check, with the files named in the environment; skipped alone.
TEST(LessonAcrossEditions, DesktopWritesALesson)
{
    const char* path = std::getenv("TESSALINE_LESSON_DESKTOP");
    if (path == nullptr) GTEST_SKIP() << "run by ctest's Lesson.desktop";
    SetUpTeachersSession();
    std::ofstream(path) << WriteLesson(CaptureLesson(true));
}

TEST(LessonAcrossEditions, DesktopOpensTheWebLesson)
{
    const char* path = std::getenv("TESSALINE_LESSON_WEB");
    if (path == nullptr) GTEST_SKIP() << "run by ctest's Lesson.fromWeb";
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    Lesson web;
    std::string error;
    ASSERT_TRUE(ParseLesson(text.str(), web, error)) << error;
    ts::ResetEngine(OnCentreX, 1, TruncInt(Get(web, V::AreaWidth)), TruncInt(Get(web, V::AreaHeight)));
    ASSERT_TRUE(OpenLesson(text.str(), error)) << error;
    const Lesson desktop = CaptureLesson(true);
    for (int32_t i = 0; i < kLessonValues; ++i) {
        EXPECT_EQ(desktop.present[i], web.present[i]) << LessonPath(static_cast<V>(i));
        EXPECT_EQ(desktop.value[i], web.value[i]) << LessonPath(static_cast<V>(i));
    }
}
