// The catalogs: a built catalog is read or refused whole, texts fall back on
// English, a translation may reorder a template's values, and the core's
// readouts, fields and lessons follow the language in force.
#include <string>

#include "controls/control_text.h"
#include "controls/lesson.h"
#include "language/catalog.h"
#include "sim/overlay_text.h"
#include "tests/core/test_support.h"
#include "tuning/tuning_form.h"

namespace {

// Catalogs are kept for the whole session; every test uses these two.
constexpr const char* kGerman = R"({"code": "de", "name": "Deutsch", "direction": "ltr", "decimal": ",",
    "texts": {"Stop": "Anhalten", "%1 of %2 points, %3 s left": "%3 s \u00fcbrig: %1 von %2 Punkten"}})";
constexpr const char* kSpanish = R"({"code": "es", "name": "Espa\u00f1ol", "decimal": ",", "texts": {}})";

class InLanguage : public ::testing::Test {
protected:
    void TearDown() override { UseEnglish(); }
    static void Use(const char* json)
    {
        Catalog c;
        std::string error;
        ASSERT_TRUE(ParseCatalog(json, c, error)) << error;
        UseCatalog(std::move(c));
    }
};

}  // namespace

TEST_F(InLanguage, CatalogIsReadWholeOrRefused)
{
    Catalog c;
    std::string error;
    ASSERT_TRUE(ParseCatalog(kGerman, c, error));
    EXPECT_EQ(std::tuple(c.code, c.name, c.decimalMark, c.texts.size()), std::tuple("de", "Deutsch", ',', size_t{2}));
    EXPECT_EQ(c.texts[0].second, "%3 s \u00fcbrig: %1 von %2 Punkten");  // \u00fc read as UTF-8
    for (const char* bad : {R"({"code": "de", "texts": {"Stop": "Anh)", R"({"code": "de", "texts": {"Stop": "\q"}})",
                            R"({"name": "Deutsch", "texts": {}})"}) {
        error.clear();
        EXPECT_FALSE(ParseCatalog(bad, c, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
        EXPECT_EQ(c.code, "de") << bad;  // left as it was
    }
}

TEST_F(InLanguage, TextsFallBackOnEnglishAndTemplatesReorder)
{
    Use(kGerman);
    EXPECT_STREQ(Tr("Stop"), "Anhalten");
    EXPECT_STREQ(Tr("Start"), "Start");
    EXPECT_EQ(TuningProgressText(true, 3, 12, 400), "8 s \u00fcbrig: 3 von 12 Punkten");
    EXPECT_EQ(TuningProgressText(false, 12, 12, 0), "12 points measured");
    // The same catalog again is the one kept; a changed German one (a translator's new try) is in force.
    const Catalog* first = &CurrentCatalog();
    Use(kGerman);
    EXPECT_EQ(&CurrentCatalog(), first);
    UseCatalog(Catalog{"de", "Deutsch", false, ',', {{"Stop", "Halt"}}});
    EXPECT_STREQ(Tr("Stop"), "Halt");
    EXPECT_STREQ(first->texts.back().second.c_str(), "Anhalten");  // a text handed out earlier stays whole
}

TEST(Languages, BestMatchForTheReadersTags)
{
    const std::vector<std::string> available{"en", "de", "zh-CN", "pt-BR", "fr"};
    const struct {
        const char* tag;
        const char* code;
    } kCases[] = {{"de-AT", "de"}, {"zh-Hans-CN", "zh-CN"}, {"pt", "pt-BR"}, {"fr-CA", "fr"}, {"ja", "en"}, {"PT_br", "pt-BR"}};
    for (const auto& c : kCases) EXPECT_EQ(MatchLanguage({c.tag}, available), c.code) << c.tag;
    EXPECT_EQ(MatchLanguage({"ja", "fr-CA"}, available), "fr");
}

TEST_F(InLanguage, ReadoutsAndFieldsTakeTheDecimalComma)
{
    Use(kGerman);
    EXPECT_EQ(OrientationText(90.2f), " stimulus orientation =  90\u00b0");  // whole degrees: no mark
    EXPECT_EQ(SpatialFrequencyText(0.8f), " s.f. = 0,8 c/deg ");
    EXPECT_EQ(PeakRateText(4.56f), "peak rate = 4,6 Hz ");
    EXPECT_EQ(RealText(0.5f), "0,5");
    float v = 9.0f;
    EXPECT_TRUE(ReadNumber("0,5", 6, v) && v == 0.5f);
    EXPECT_TRUE(ReadNumber("1.25", 6, v) && v == 1.25f);  // the point still works
    UseEnglish();
    EXPECT_EQ(SpatialFrequencyText(0.8f), " s.f. = 0.8 c/deg ");
    EXPECT_TRUE(ReadNumber("0,5", 6, v) && v == 0.0f);  // English: the comma ends the number, as before
}

TEST_F(InLanguage, LessonOpensInTheStudentsLanguageAndSavesEveryOne)
{
    ts::ResetEngine(Simple);
    const std::string lesson = R"({"format":"tessaline-lesson","version":1,"title":{"en":"Bars","de":"Balken"},
        "instructions":{"de":"Finde den Balken.","en":"Find the bar."}})";
    std::string message;
    Use(kGerman);
    ASSERT_TRUE(OpenLesson(lesson, message)) << message;
    EXPECT_EQ(OpenedTitle() + " / " + OpenedInstructions(), "Balken / Finde den Balken.");
    Use(kSpanish);  // no Spanish: each text in the file's first language
    EXPECT_EQ(OpenedTitle() + " / " + OpenedInstructions(), "Bars / Finde den Balken.");
    const std::string saved = WriteLesson(CaptureLesson(true));
    EXPECT_NE(saved.find(R"("title": { "en": "Bars", "de": "Balken" },)"), std::string::npos) << saved;
    EXPECT_NE(saved.find(R"("instructions": { "de": "Finde den Balken.", "en": "Find the bar." })"), std::string::npos);
    ASSERT_TRUE(OpenLesson(R"({"format":"tessaline-lesson","version":1,"title":{"fr":"Barres","de":"Balken"}})", message));
    EXPECT_EQ(OpenedTitle(), "Barres");
}
