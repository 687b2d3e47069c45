#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

#include "model/vector_state.h"

int main(int argc, char** argv)
{
    // Tests run without a display and without a sound card.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Pixel checks want one device pixel per point; the dense-screen check
    // asks for another scale through a variable of its own.
    const char* scale = std::getenv("TESSALINE_TEST_SCALE");
    setenv("QT_SCALE_FACTOR", scale != nullptr ? scale : "1", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Settings the tests write (the zoom) go to a folder of their own, never the user's.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settings.path());
    QApplication::setOrganizationName(QStringLiteral("Tessaline"));
    QApplication::setApplicationName(QStringLiteral("Tessaline"));
    ClearUpperVectorState();  // as the program does: workers start clean
    return RUN_ALL_TESTS();
}
