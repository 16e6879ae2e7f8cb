#include "platform/media/sound_window.h"

#include "platform/files/regular_file.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace media {

SoundWindow::SoundWindow(const QString& path, QObject* parent)
    : QObject(parent),
      output_(std::make_unique<QAudioOutput>()), player_(std::make_unique<QMediaPlayer>())
{
    player_->setAudioOutput(output_.get());
    connect(player_.get(), &QMediaPlayer::playbackStateChanged, this, &SoundWindow::onPlayerStateChanged);
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia && mode_ != Mode::NotReady) emit playEnded();
    });
    connect(player_.get(), &QMediaPlayer::errorOccurred, this, [this] {
        // The player may still claim to be playing after an error; it never makes a sound again.
        setMode(Mode::NotReady);
        player_->stop();
    });
    // The player opens the file itself, on this thread, and would wait forever for a FIFO's writer:
    // it is handed only what has proved to be a regular file.
    if (path.isEmpty() || !files::RegularFile(path).isOpen()) {
        mode_ = Mode::NotReady;
        return;
    }
    player_->setSource(QUrl::fromLocalFile(path));
}

// The player goes before its output, which it refers to.
SoundWindow::~SoundWindow()
{
    player_->disconnect(this);
    player_.reset();
}

void SoundWindow::play()
{
    if (mode_ == Mode::NotReady) return;
    // A paused or finished player would go on from where it is; a play always starts at the top.
    if (player_->playbackState() != QMediaPlayer::StoppedState) player_->stop();
    player_->setPosition(0);
    player_->play();
}

void SoundWindow::pause()
{
    if (mode_ == Mode::Playing) player_->pause();
}

void SoundWindow::resume()
{
    if (mode_ == Mode::Paused) player_->play();
}

void SoundWindow::stop()
{
    if (mode_ != Mode::NotReady) player_->stop();
}

void SoundWindow::onPlayerStateChanged()
{
    if (mode_ == Mode::NotReady) return;
    switch (player_->playbackState()) {
    case QMediaPlayer::PlayingState: setMode(Mode::Playing); break;
    case QMediaPlayer::PausedState: setMode(Mode::Paused); break;
    case QMediaPlayer::StoppedState: setMode(Mode::Stopped); break;
    }
}

void SoundWindow::setMode(Mode mode)
{
    if (mode == mode_) return;
    mode_ = mode;
    emit modeChanged(mode);
}

}  // namespace media
