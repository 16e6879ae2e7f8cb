#include "platform/media/sound_window.h"

#include "tests/support/temporary_directory.h"
#include "tests/support/wave_file.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Mode = media::SoundWindow::Mode;

// Long enough that a pause always lands before the end, short enough to play through in a test.
constexpr int kToneMilliseconds = 600;
constexpr int kWaitMilliseconds = 10000;

class SoundWindowTest : public ::testing::Test {
protected:
    QString tone() const
    {
        const QString path = dir() + "/tone.wav";
        test_support::WriteToneWave(path, kToneMilliseconds);
        return path;
    }

    QString dir() const { return QString::fromStdString(folder.path().string()); }

    static bool waitForMode(media::SoundWindow& sound, Mode mode)
    {
        QSignalSpy changes(&sound, &media::SoundWindow::modeChanged);
        const QDeadlineTimer deadline(kWaitMilliseconds);
        while (sound.mode() != mode)
            if (!changes.wait(int(deadline.remainingTime()))) return false;
        return true;
    }

    test_support::TemporaryDirectory folder;
};

TEST_F(SoundWindowTest, PlayGoesOnceToTheEndAndSaysSo)
{
    media::SoundWindow sound(tone());
    EXPECT_EQ(sound.mode(), Mode::Stopped);
    QSignalSpy ended(&sound, &media::SoundWindow::playEnded);
    sound.play();
    ASSERT_TRUE(waitForMode(sound, Mode::Playing));
    ASSERT_TRUE(ended.wait(kWaitMilliseconds));
    EXPECT_EQ(sound.mode(), Mode::Stopped);
    EXPECT_EQ(ended.count(), 1);

    // Played again after its end, it starts from the top and ends once more.
    sound.play();
    ASSERT_TRUE(ended.wait(kWaitMilliseconds));
    EXPECT_EQ(ended.count(), 2);
}

TEST_F(SoundWindowTest, PauseHoldsAndResumeGoesOnToTheEnd)
{
    media::SoundWindow sound(tone());
    QSignalSpy ended(&sound, &media::SoundWindow::playEnded);
    sound.play();
    ASSERT_TRUE(waitForMode(sound, Mode::Playing));
    sound.pause();
    ASSERT_TRUE(waitForMode(sound, Mode::Paused));
    EXPECT_EQ(ended.count(), 0);
    sound.resume();
    ASSERT_TRUE(waitForMode(sound, Mode::Playing));
    ASSERT_TRUE(ended.wait(kWaitMilliseconds));
    EXPECT_EQ(sound.mode(), Mode::Stopped);
}

TEST_F(SoundWindowTest, StopSilencesItAndAPlayStartsAgain)
{
    media::SoundWindow sound(tone());
    QSignalSpy ended(&sound, &media::SoundWindow::playEnded);
    sound.play();
    ASSERT_TRUE(waitForMode(sound, Mode::Playing));
    sound.stop();
    EXPECT_TRUE(waitForMode(sound, Mode::Stopped));
    // Resume means nothing to a stopped sound.
    sound.resume();
    EXPECT_EQ(sound.mode(), Mode::Stopped);
    sound.play();
    ASSERT_TRUE(ended.wait(kWaitMilliseconds));
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(SoundWindowTest, AFileThatDoesNotPlayStaysSilentWithoutComplaint)
{
    const QString garbage = dir() + "/garbage.wav";
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a sound");
    file.close();
    for (const QString& path : {garbage, dir() + "/missing.wav"}) {
        SCOPED_TRACE(path.toStdString());
        media::SoundWindow sound(path);
        QSignalSpy ended(&sound, &media::SoundWindow::playEnded);
        sound.play();
        ASSERT_TRUE(waitForMode(sound, Mode::NotReady));
        sound.play();
        sound.pause();
        sound.stop();
        EXPECT_EQ(sound.mode(), Mode::NotReady);
        EXPECT_EQ(ended.count(), 0);
    }
    media::SoundWindow unnamed{QString()};
    unnamed.play();
    EXPECT_EQ(unnamed.mode(), Mode::NotReady);
}

}  // namespace
