// The recorder presents on the receptive field when asked to, never while the
// field is hidden for a hand plot, and puts the stimulus back afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "app/tuning_window.h"
#include "tests/core/tuning_test_support.h"

using namespace tuning_test;

namespace {

// As after a click on a toolbar button: the stimulus was left at the top of
// the canvas, far from the field.
void LeaveStimulusOffTheField()
{
    stimulus.mouseX = TruncInt(receptiveField.centreX / stimulus.degreesPerPixel) + 8 * 38;
    stimulus.mouseY = 0;
    stimulus.stimX = stimulus.mouseX * stimulus.degreesPerPixel;
    stimulus.stimY = 0.0f;
}

TEST(TuningCentre, OrientationCurveOnTheFieldOnlyWhenAskedAndShown)
{
    const struct {
        int32_t display;
        bool centreAsked, centred;
    } cases[] = {{Revealed, true, true}, {GreyScale, false, false}, {Hidden, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "display " << c.display << " asked " << c.centreAsked);
        ResetForSweep(Simple, Grating);
        receptiveField.displayMode = c.display;
        LeaveStimulusOffTheField();
        const int32_t offX = stimulus.mouseX, offY = stimulus.mouseY;
        const int32_t centreX = TruncInt(receptiveField.centreX / stimulus.degreesPerPixel);
        const int32_t centreY = TruncInt(receptiveField.centreY / stimulus.degreesPerPixel);
        SweepPlan plan = OrientationPlan(90.0f, 1, 30);
        plan.centreOnField = c.centreAsked;
        ASSERT_TRUE(StartSweep(plan));
        EXPECT_EQ(tuningSweep.centred, c.centred);
        int64_t n = 0;
        while (SweepRunning()) {
            RunTick(n++);
            PollSweep();
            if (!SweepRunning()) break;
            if (!stimulus.stationaryMode) {
                // The pointer moves the stimulus between points; each point is placed again.
                if (c.centred) OnPointerMove(5, 5 + 36);
                continue;
            }
            ASSERT_EQ(stimulus.mouseX.load(), c.centred ? centreX : offX) << n;
            ASSERT_EQ(stimulus.mouseY.load(), c.centred ? centreY : offY) << n;
        }
        // Put back where the student left it.
        EXPECT_EQ(stimulus.mouseX.load(), offX);
        EXPECT_EQ(stimulus.mouseY.load(), offY);
        EXPECT_EQ(stimulus.stimY, 0.0f);

        ASSERT_EQ(tuningSweep.points.size(), 4u);
        float low = 1e9f, high = 0.0f;
        for (const TuningPoint& p : tuningSweep.points) {
            low = std::min(low, p.meanRate);
            high = std::max(high, p.meanRate);
        }
        // On the field the cell is tuned; off it there is only its resting rate.
        if (c.centred) {
            EXPECT_GT(high, 20.0f);
            EXPECT_LT(low, high / 4.0f);
        } else {
            EXPECT_LT(high, 5.0f);
        }
    }
}

TEST(TuningCentre, WindowOffersCentringOnlyWhileTheFieldIsShown)
{
    ResetForSweep(Simple, Grating);
    receptiveField.displayMode = GreyScale;
    LeaveStimulusOffTheField();
    TuningWindow window(nullptr);
    window.show();
    auto* centre = window.findChild<QCheckBox*>(QStringLiteral("centreOnField"));
    auto* placement = window.findChild<QLabel*>(QStringLiteral("placement"));
    ASSERT_NE(centre, nullptr);
    ASSERT_NE(placement, nullptr);
    EXPECT_EQ(centre->text(), QStringLiteral("Centre on the receptive field"));
    EXPECT_TRUE(centre->isVisible());
    EXPECT_TRUE(centre->isChecked());
    EXPECT_FALSE(placement->isVisible());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("start")), Qt::LeftButton);
    ASSERT_TRUE(SweepRunning());
    EXPECT_TRUE(tuningSweep.centred);
    EXPECT_FALSE(centre->isEnabled());
    window.stop();

    receptiveField.displayMode = Hidden;
    QTest::qWait(400);  // the window looks again on its own
    EXPECT_FALSE(centre->isVisible());
    EXPECT_TRUE(placement->isVisible());
    EXPECT_EQ(placement->text(), QStringLiteral("The sweep is shown at the stimulus position (%1°, 0.0°)")
                                     .arg(double(stimulus.stimX.load()), 0, 'f', 1));
    window.start();
    EXPECT_FALSE(tuningSweep.centred);
    window.stop();
}

}  // namespace
