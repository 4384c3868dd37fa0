// A player of one recording at a time, standing in for the media-player control: open by path,
// play, pause, stop, close, position and duration in seconds, rate, state, and a notification
// raised through the message loop after each state change.
#pragma once
#include <functional>
#include <string>

namespace plat::media {

// Numbered as the media-player control numbers its play states.
enum class PlayState { Undefined = 0, Stopped = 1, Paused = 2, Playing = 3, ScanForward = 4, ScanReverse = 5 };

class IMediaPlayer {
public:
    virtual ~IMediaPlayer() = default;
    // Loads the file (GBK path), replacing any loaded one; the state becomes stopped. False
    // when it cannot be rendered: nothing is loaded then.
    virtual bool Open(const std::string& path) = 0;
    virtual const std::string& Url() const = 0;  // empty when nothing is loaded
    virtual bool Play() = 0;
    virtual bool Pause() = 0;
    // Stops and returns to the start.
    virtual bool Stop() = 0;
    // Unloads the file, releasing it for deletion.
    virtual void Close() = 0;
    virtual double Position() = 0;  // seconds
    virtual bool SetPosition(double seconds) = 0;
    virtual double Duration() = 0;  // seconds; 0 when nothing is loaded
    // Kept for later loads too.
    virtual bool SetRate(double rate) = 0;
    virtual double Rate() const = 0;
    virtual PlayState State() const = 0;
    // Called on the window thread after the state changed (also at the end of the media).
    virtual void SetStateListener(std::function<void(PlayState)> listener) = 0;
};

} // namespace plat::media
