#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>
#include <cstdio>
#include <cstdlib>

#ifndef TESSALINE_VERSION
#define TESSALINE_VERSION "0"
#endif

namespace {

const char kUsage[] =
    "Usage: tessaline [--help] [--version] [--language CODE] [LESSON]\n"
    "\n"
    "A teaching simulator of visual neurons: move a stimulus over the screen\n"
    "with the mouse and hear the model neuron's spikes as clicks. LESSON is a\n"
    "lesson file (.tessaline) to open at start.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n"
    "  --language CODE\n"
    "                 Show the program in that language (en, de, es, fr, pt-BR,\n"
    "                 zh-CN, ar; qps: every text bracketed, for checking the\n"
    "                 translations). Also TESSALINE_LANGUAGE.\n"
    "\n"
    "A tuning sweep with no window and no sound, for homework data sets:\n"
    "  tessaline --sweep orientation|direction|spatial-frequency|size|\n"
    "                    contrast|temporal-frequency\n"
    "            --cell on-centre|off-centre|simple|ds-simple|complex\n"
    "            --out FILE.nwb|FILE.csv [--seed N] [--repeats N]\n"
    "  writes the recording (FILE.csv: spikes; FILE-trials.csv: trials) and\n"
    "  prints the preferred value, OSI or DSI, F1/F0 and, for contrast, the\n"
    "  Naka-Rushton fit's C50 and exponent n.\n"
    "\n"
    "A receptive field mapped with noise (reverse correlation), the same way:\n"
    "  tessaline --map sparse-noise|white-noise --cell CELL --minutes M\n"
    "            --out FILE.nwb|FILE.csv [--seed N] [--grid N] [--square DEG] [--frame MS]\n"
    "  writes the spikes and the noise frames (FILE-frames.csv) and prints the\n"
    "  spikes, the best lag, the map's correlation with the true field and the\n"
    "  ON/OFF overlap.\n";

QString lessonArgument;
QString languageArgument;

bool HaveDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') return true;  // the user chose one
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

QString LessonArgument() { return lessonArgument; }

QString LanguageArgument()
{
    if (!languageArgument.isEmpty()) return languageArgument;
    return QString::fromLocal8Bit(qgetenv("TESSALINE_LANGUAGE"));
}

int HandleCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.isEmpty()) arguments << QStringLiteral("tessaline");

    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("help"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("version"));
    const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("language"), QStringLiteral("CODE"));
    parser.addOption(help);
    parser.addOption(language);
    parser.addOption(version);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "tessaline: %s (try --help)\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "tessaline: unexpected argument '%s' (try --help)\n",
                     qPrintable(parser.positionalArguments().at(1)));
        return 2;
    }
    lessonArgument = parser.positionalArguments().value(0);
    languageArgument = parser.value(language);
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("tessaline %s\n", TESSALINE_VERSION);
        return 0;
    }
    if (!HaveDisplay()) {
        std::fputs("tessaline: no display found (DISPLAY and WAYLAND_DISPLAY are unset)\n", stderr);
        return 1;
    }
    return -1;
}

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // The platform's own first complaint names the display; Qt's
        // closing advice about reinstalling does not apply.
        const QString reason = heldMessages.empty() ? text : heldMessages.front().text;
        std::fprintf(stderr, "tessaline: cannot open the display: %s\n",
                     qPrintable(reason.section(QLatin1Char('\n'), 0, 0).trimmed()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages.push_back({type, QByteArray(context.category), text});
}

}  // namespace

void HoldStartupMessages() { previousHandler = qInstallMessageHandler(&HoldMessage); }

void ReleaseStartupMessages()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& held : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        if (previousHandler != nullptr) previousHandler(held.type, context, held.text);
    }
    heldMessages.clear();
}
