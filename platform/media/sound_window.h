#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace media {

// A hidden player for one sound file, the stand-in for the platform's media window: it opens the
// file when made, plays it once from the beginning, pauses, resumes and stops; destroying it closes
// the file.
//
// A file that cannot be opened or decoded is not an error anybody hears of: the window goes to
// NotReady and stays silent, and every later command is accepted and does nothing. So does anything
// but a regular file (a FIFO, a device), which is never handed to the player. A machine
// without a sound device plays as if it had one (the sound is thrown away at its own pace), so
// playing always comes to an end.
//
// Thread: the thread that made it, which must run an event loop for the sound to advance.
class SoundWindow final : public QObject {
    Q_OBJECT
public:
    enum class Mode {
        NotReady,  // the file could not be opened or decoded
        Stopped,   // opened, not playing: before the first play, after stop or after the end
        Playing,
        Paused,
    };
    Q_ENUM(Mode)

    // A parent deletes the window with itself, as a child window goes with its parent.
    explicit SoundWindow(const QString& path, QObject* parent = nullptr);
    ~SoundWindow() override;

    Mode mode() const { return mode_; }

    // From the beginning, once; also after the end or while paused.
    void play();
    // Only while playing.
    void pause();
    // Only while paused: goes on from where it paused.
    void resume();
    // Back to the beginning, silent.
    void stop();

signals:
    void modeChanged(media::SoundWindow::Mode mode);
    // Playing came to the end of the sound (the notification a media window sends on completion).
    void playEnded();

private:
    void setMode(Mode mode);
    void onPlayerStateChanged();

    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    Mode mode_ = Mode::Stopped;
};

}  // namespace media
