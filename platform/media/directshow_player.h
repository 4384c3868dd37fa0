// The recording player over DirectShow: a filter graph per loaded file, its media control and
// seeking, and its events delivered to a hidden message window of the player's thread.
#pragma once
#include <memory>

#include "platform/media/media_player.h"

namespace plat::media {

// Needs COM initialised on the creating thread (see ComApartment) and a message loop there.
class DirectShowPlayer : public IMediaPlayer {
public:
    DirectShowPlayer();
    ~DirectShowPlayer() override;
    DirectShowPlayer(const DirectShowPlayer&) = delete;
    DirectShowPlayer& operator=(const DirectShowPlayer&) = delete;

    bool Open(const std::string& path) override;
    const std::string& Url() const override;
    bool Play() override;
    bool Pause() override;
    bool Stop() override;
    void Close() override;
    double Position() override;
    bool SetPosition(double seconds) override;
    double Duration() override;
    bool SetRate(double rate) override;
    double Rate() const override;
    PlayState State() const override;
    void SetStateListener(std::function<void(PlayState)> listener) override;

    // Named here only so that the player's window procedure can reach it.
    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace plat::media
