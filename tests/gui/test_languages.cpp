// The desktop in another language: in the pseudo-language every text a window shows is a catalog's (wrapped in
// "[ ]") and fits its widget, the longest language's texts included; a switch shows everything anew in place.
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>

#include "app/help_window.h"
#include "app/language.h"
#include "app/lesson_actions.h"
#include "app/map_window.h"
#include "app/plot_view.h"
#include "app/messages.h"
#include "app/record_window.h"
#include "app/tuning_window.h"
#include "sim/overlay_text.h"
#include "test_shell_support.h"

namespace {

// A text as shown: mnemonic marks taken out.
QString Shown(QString text) { return text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')); }

// Pseudo texts as shown (a mnemonic's '&' left visible fails), each maybe followed by a colon or an ellipsis,
// after a value with no word in it (a spin box's).
bool Translated(const QString& shown)
{
    static const QRegularExpression pseudo(QStringLiteral(R"(^[-−+0-9.,:%\s]*(\[[^\]&]*\][:…]?\s*)*$)"));
    // Words every language keeps: the program's name and the symbols of units and axes.
    static const QRegularExpression kept(QStringLiteral(R"(^[-−+0-9.,\s]*(Tessaline|ms|Hz|s|X|Y)?$)"));
    return pseudo.match(shown).hasMatch() || kept.match(shown).hasMatch();
}

// Every text of window (and its menus) that is not the catalog's, or wider than its widget.
QStringList Offenders(QWidget* window)
{
    QStringList found;
    const auto check = [&](const QObject* o, const QString& text, int room = -1, int needed = 0) {
        const QString where = QString::fromLatin1(o->metaObject()->className()) + QLatin1Char(' ') + o->objectName();
        if (!Translated(text)) found << where + QStringLiteral(" shows '") + text + QLatin1Char('\'');
        if (room >= 0 && needed > room)
            found << where + QStringLiteral(" '%1' needs %2 px, has %3").arg(text).arg(needed).arg(room);
    };
    check(window, window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        // A lesson's own title and instructions are the teacher's text, not the program's.
        if (w->objectName().startsWith(QStringLiteral("instructions")) && w->objectName() != QStringLiteral("instructions"))
            continue;
        const QFontMetrics metrics = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            int widest = 0;
            // Only a label leading to a field hides its '&'.
            const QString text = label->buddy() != nullptr ? Shown(label->text()) : label->text();
            for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
            check(w, text, label->wordWrap() ? -1 : label->contentsRect().width(), widest);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button != nullptr && !button->text().isEmpty()) {
            check(w, Shown(button->text()), button->width(), button->sizeHint().width());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            check(w, Shown(group->title()), group->width(), metrics.horizontalAdvance(Shown(group->title())) + 16);
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < list->count(); ++i) check(w, list->itemText(i));
            check(w, list->currentText(), list->width(), list->sizeHint().width());
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
            check(w, text->toPlainText());
        } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
            check(w, spin->text(), spin->width(), spin->sizeHint().width());
        } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
            check(w, bar->text());
        } else if (auto* dock = qobject_cast<QDockWidget*>(w)) {
            check(w, dock->windowTitle());
        }
    }
    // Menus and toolbar tips; the languages are listed by their own names.
    for (QAction* action : window->findChildren<QAction*>()) {
        auto* menu = qobject_cast<QMenu*>(action->parent());
        if (menu != nullptr && menu->objectName() == QStringLiteral("language") && action->objectName() != QStringLiteral("systemLanguage")) continue;
        if (menu != nullptr || action->menu() != nullptr) check(action, Shown(action->text()));
        if (qobject_cast<QToolBar*>(action->parent()) != nullptr) check(action, action->toolTip());
    }
    return found;
}

// Shows window, lists its offenders under name, and closes it.
void Expect(QStringList& all, const char* name, QWidget* window)
{
    window->show();
    QApplication::processEvents();
    for (const QString& o : Offenders(window)) all << QString::fromLatin1(name) + QStringLiteral(": ") + o;
}

TEST(Languages, PseudoLanguageReachesEveryTextAndEachFits)
{
    ResetAllRecords();
    ASSERT_TRUE(ApplyLanguage(QStringLiteral("qps")));
    auto window = QuietMainWindow();
    QTemporaryDir dir;
    QFile lesson(dir.filePath(QStringLiteral("l.tessaline")));
    lesson.open(QIODevice::WriteOnly), lesson.write(R"({"format":"tessaline-lesson","version":1,"title":"T","instructions":"Do."})");
    lesson.close();
    ASSERT_TRUE(OpenLessonFile(window.get(), lesson.fileName()));
    QStringList all;
    Expect(all, "main window", window.get());
    for (auto create : {CreateSelectStimulusDialog, CreateRfDialog, CreateMoreOptionsDialog, CreateFeedbackDialog}) {
        DialogPtr d(create(window.get()));
        Expect(all, "dialog", d.get());
    }
    Expect(all, "tuning", ShowTuningWindow(window.get()));
    Expect(all, "recording", TheRecordWindow(window.get()));
    Expect(all, "map", ShowMapWindow(window.get()));
    EXPECT_TRUE(WithModal([&] { ShowHelp(window.get()); }, [&](QWidget* help) { Expect(all, "help", help); }));
    EXPECT_TRUE(WithModal([] { ShowStartupError(); }, [&](QWidget* box) { Expect(all, "message", box); }));
    ApplyLanguage(QStringLiteral("en"));
    EXPECT_TRUE(all.isEmpty()) << all.join(QLatin1Char('\n')).toStdString();
}

// A catalog of a translator's, tried from a folder: German with a decimal comma, Arabic from right to left.
TEST(Languages, SwitchShowsEveryWindowAnewAndMirrorsAllButTheField)
{
    QTemporaryDir dir;
    const auto write = [&](const char* name, const char* json) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        f.open(QIODevice::WriteOnly), f.write(json);
    };
    write("de.json", R"({"code":"de","name":"Deutsch","direction":"ltr","decimal":",","texts":{"&Options":"&Optionen","&View":"&Ansicht"}})");
    write("ar.json", R"({"code":"ar","name":"العربية","direction":"rtl","decimal":".","texts":{"&Options":"&خيارات"}})");
    write("languages.json", R"([{"code":"en","name":"English"},{"code":"de","name":"Deutsch"}])");
    qputenv("TESSALINE_CATALOG_DIR", dir.path().toLocal8Bit());
    const std::shared_ptr<void> restore(nullptr, [](void*) { qunsetenv("TESSALINE_CATALOG_DIR"), ApplyLanguage(QStringLiteral("en")); });
    ResetAllRecords();
    auto window = QuietMainWindow();
    stimulus.stimulusType = Grating, stimulus.gratingSf = 0.8f;
    TuningWindow* tuning = ShowTuningWindow(window.get());
    const auto menus = [&] {
        QStringList titles;
        for (QAction* a : window->menuBar()->actions()) titles << a->text();
        return titles.join(QLatin1Char(' '));
    };
    const QString english = menus();
    // Chosen from the menu: at once, and remembered for the next start.
    window->findChild<QAction*>(QStringLiteral("language-de"))->trigger();
    EXPECT_EQ(menus(), QStringLiteral("&Optionen &Ansicht &Measure"));
    EXPECT_EQ(QSettings().value(QStringLiteral("view/language")).toString(), QStringLiteral("de"));
    window->findChild<QAction*>(QStringLiteral("systemLanguage"))->trigger();
    EXPECT_FALSE(QSettings().contains(QStringLiteral("view/language")));
    ASSERT_TRUE(ApplyLanguage(QStringLiteral("de")));
    EXPECT_EQ(tuning->findChild<QDoubleSpinBox*>(QStringLiteral("presentation"))->text(), QStringLiteral("1,0 s"));
    EXPECT_NE(BuildOverlayTexts().second.find("0,8"), std::string::npos) << BuildOverlayTexts().second;
    ASSERT_TRUE(ApplyLanguage(QStringLiteral("en")));
    EXPECT_EQ(menus(), english);
    EXPECT_EQ(tuning->findChild<QDoubleSpinBox*>(QStringLiteral("presentation"))->text(), QStringLiteral("1.0 s"));

    ASSERT_TRUE(ApplyLanguage(QStringLiteral("ar")));
    EXPECT_EQ(window->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(tuning->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(window->canvas()->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(tuning->findChild<QWidget*>(QStringLiteral("plot"))->layoutDirection(), Qt::LeftToRight);
    // A tick label ending at its anchor (x 100) is painted just left of it, not flipped off the picture.
    PlotView view(nullptr, [](double w, double h) {
        PlotPicture picture;
        picture.width = w, picture.height = h;
        picture.Text(100, 20, "10", 0x000000, AlignEnd);
        return picture;
    });
    view.resize(200, 40);
    const QImage image = view.grab().toImage();
    int inked = 0, beyond = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (qGray(image.pixel(x, y)) < 128) (x >= 70 && x < 100 ? inked : beyond)++;
    EXPECT_GT(inked, 0);
    EXPECT_EQ(beyond, 0);
    ApplyLanguage(QStringLiteral("en"));
    EXPECT_EQ(window->layoutDirection(), Qt::LeftToRight);
    tuning->close();
}

}  // namespace
