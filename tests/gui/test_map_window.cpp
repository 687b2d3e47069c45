// The Map window: white noise over the default simple cell, the ticks run as the loops would, and the map the
// window drained from the tick ring is the cell's field at the best lag.
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "app/map_window.h"
#include "mapping/map_picture.h"
#include "mapping/map_scores.h"
#include "model/numeric.h"
#include "recording/recording.h"
#include "test_shell_support.h"

TEST(MapWindow, DrainsTheTickRingIntoAMapOfTheField)
{
    ts::ResetEngine(Simple, 2024);
    SetStimulusType(WhiteNoise);
    OnPointerMove(TruncInt(receptiveField.centreX * 38.0f), TruncInt(receptiveField.centreY * 38.0f) + 36);
    stimulus.stimulusOn = true;
    MapWindow window(nullptr);
    window.show();
    for (int64_t n = 0; n < 9000; ++n) {
        ts::RunTick(n);
        if (n % 50 == 49) window.poll();  // a second of ticks
    }
    const SpikeTriggeredAverage& m = window.map();
    EXPECT_EQ(m.ticks, 9000);
    EXPECT_GT(m.spikes, 0);
    const int lag = window.lagTicks();
    EXPECT_EQ(lag, BestMapLag(m)) << "opens on the best lag";
    EXPECT_GT(std::abs(MapCorrelation(StaMap(m, lag), ShownTrueField(m, lag))), 0.6) << window.status().toStdString();
    EXPECT_TRUE(window.status().contains(QStringLiteral("correlation")));
    receptiveField.displayMode = Hidden;  // a hand plot's answer is not given away
    EXPECT_FALSE(window.status().contains(QStringLiteral("correlation")));
    window.findChild<QSpinBox*>(QStringLiteral("lag"))->setValue(100);
    EXPECT_EQ(window.lagTicks(), 5);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("reset")), Qt::LeftButton);
    EXPECT_EQ(std::pair(m.spikes, m.ticks), std::pair(int64_t{0}, int64_t{0}));

    // Fast-forward: half an hour of the same noise on a worker, merged when it ends into the map and into the
    // recording that ran from its start to its end; one started meanwhile does not take it, and the line says so.
    auto* fast = window.findChild<QPushButton*>(QStringLiteral("fastForward"));
    auto* line = window.findChild<QLabel*>(QStringLiteral("mapStatus"));
    QTest::mouseClick(fast, Qt::LeftButton);
    StartRecording();
    QTRY_VERIFY_WITH_TIMEOUT(!window.fastForwarding(), 120000);
    EXPECT_EQ(line->text().toStdString(), kMapStretchNotRecorded);
    EXPECT_TRUE(recording.spikes.empty());
    const int64_t before = m.spikes;
    QTest::mouseClick(fast, Qt::LeftButton);
    EXPECT_TRUE(window.fastForwarding());
    QTRY_VERIFY_WITH_TIMEOUT(!window.fastForwarding(), 120000);
    StopRecording();
    EXPECT_EQ(m.ticks, 180000);
    EXPECT_EQ(static_cast<int64_t>(recording.spikes.size()), m.spikes - before);
    EXPECT_NEAR(RecordingSeconds(), 1800.0, 0.05);
    EXPECT_EQ(line->text().toStdString(), "");
    receptiveField.displayMode = GreyScale;
    EXPECT_GT(MapCorrelation(StaMap(m, window.lagTicks()), ShownTrueField(m, window.lagTicks())), 0.9);
}
