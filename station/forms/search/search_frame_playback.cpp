// The playback panel of the search view: player states, position bar, LED time, skips, rate,
// next and previous recording, master volume and mute.
#include "station/forms/search/search_frame.h"

#include <algorithm>

#include "station/core/gbk_literal.h"
#include "station/core/search/playback_math.h"

namespace forms {

using plat::media::PlayState;
using station::Gbk;

void TSearchRecFrame::PlaybackTexts() {
    UpdatePlay2Hint();
    UpdateMuteLook();
    elapsed_hint_ = Text("Msg.ShowElapsedTime");
    occur_hint_ = Text("Msg.ShowOccurTime");
    btnChangeShowingTime->set_hint(FShowElapsed ? occur_hint_ : elapsed_hint_);
}

void TSearchRecFrame::UpdatePlay2Hint() {
    static const char* const keys[] = {"Msg.Play", "Msg.PlayPaused", "Msg.StopPlaying"};
    btnPlay2->set_hint(Text(keys[btnPlay2Tag < 0 || btnPlay2Tag > 2 ? 0 : btnPlay2Tag]));
    btnPlay2->set_image_index(btnPlay2Tag == 2 ? 9 : 8);
}

void TSearchRecFrame::UpdateMuteLook() {
    btnVolumeMute->set_hint(Text(btnVolumeMuteTag ? "Msg.CancelMute" : "Msg.SetMute"));
    btnVolumeMute->set_image_index(btnVolumeMuteTag ? 3 : 2);
}

void TSearchRecFrame::LoadVolumeState() {
    FMuted = s_.volume->GetMixerMute(plat::media::MixerLine::Speakers);
    btnVolumeMuteTag = FMuted ? 1 : 0;
    UpdateMuteLook();
    loading_volume_ = true;
    TrackBarVolume->set_position(s_.volume->GetMixerVolume(plat::media::MixerLine::Speakers));
    loading_volume_ = false;
}

void TSearchRecFrame::ProcessPlay(bool from_control) {
    if (!s_.player) return;
    const PlayState st = s_.player->State();
    if (st == PlayState::Playing || st == PlayState::ScanForward || st == PlayState::ScanReverse) {
        s_.player->Stop();
        if (from_control) return;
    }
    const int row = lvCalls->selected_index();
    if (row < 0) return;
    station::ACallLogInfo record;
    {
        std::lock_guard<std::mutex> guard(calls_.Lock());
        if (row >= calls_.Count()) return;
        record = calls_.Records()[static_cast<std::size_t>(row)];
    }
    const std::string path = s_.files->Locate(record.WaveFilePath).path;  // the first of two, logged by Locate
    if (path.empty()) {
        s_.prompts->Message(s_.globals->Texts.Get("MsgBox.Error"),
                            s_.globals->Texts.Format("Log.CantFindFile", {record.WaveFilePath}));
        return;
    }
    // A recording the player cannot load is left as it is; the panel shows only for playback.
    if (!s_.player->Open(path)) return;
    FCallStartTime = record.StartTime;
    s_.player->Play();
    ShowPlayPanel();
}

void TSearchRecFrame::btnPlayClick() {
    if (!s_.player) return;
    const PlayState st = s_.player->State();
    if (st == PlayState::Paused) s_.player->Play();
    else if (st == PlayState::Stopped || st == PlayState::Undefined) ProcessPlay(true);
}

void TSearchRecFrame::btnPauseClick() {
    if (s_.player) s_.player->Pause();
}

void TSearchRecFrame::btnStopClick() {
    if (s_.player) s_.player->Stop();
}

void TSearchRecFrame::SkipPlayback(bool forward) {
    if (!s_.player || s_.player->State() != PlayState::Playing) return;
    s_.player->SetPosition(station::SkipTarget(s_.player->Position(), s_.player->Duration(), forward));
}

void TSearchRecFrame::btnNextClick() {
    if (s_.player) s_.player->Stop();
    const int row = lvCalls->selected_index();
    if (row >= 0) {
        lvCalls->set_row_selected(row, false);
        const int next = calls_.AdjacentPlayableRow(row, 1);
        if (next >= 0) lvCalls->move_to(next);
    }
    ProcessPlay(true);
}

void TSearchRecFrame::btnPreviousClick() {
    if (s_.player) s_.player->Stop();
    const int row = lvCalls->selected_index();
    if (row >= 0) {
        lvCalls->set_row_selected(row, false);
        const int previous = calls_.AdjacentPlayableRow(row, -1);
        if (previous >= 0) lvCalls->move_to(previous);
    }
    ProcessPlay(true);
}

void TSearchRecFrame::WMediaPlayerStatusChange(PlayState state) {
    switch (state) {
    case PlayState::Playing:
        TrackBar->show();
        for (ui::MenuItem* m : {NodeFastForward, NodeRewind, NodeStop}) m->set_enabled(true);
        TrackBar->set_max(station::BarPosition(s_.player->Duration()));
        TrackBar->set_position(station::BarPosition(s_.player->Position()));
        TrackBar->set_enabled(true);
        TrackBar->set_thumb_style(ec::TThumbStyle::tsXPBox);
        btnPlay2Tag = 2;
        UpdatePlay2Hint();
        HiTimer1->set_enabled(true);
        btnPlay->set_enabled(false);
        for (ec::TEcToolButton* b : {btnPause, btnStop, btnFastForward, btnRewind}) b->set_enabled(true);
        s_.player->SetRate(station::RateFromBar(TrackBarSpeed->position()));
        break;
    case PlayState::Stopped:
        for (ui::MenuItem* m : {NodeFastForward, NodeRewind, NodeStop}) m->set_enabled(false);
        btnPlay2Tag = 0;
        UpdatePlay2Hint();
        HiTimer1->set_enabled(false);
        TrackBar->set_enabled(false);
        TrackBar->set_thumb_style(ec::TThumbStyle::tsCustom);
        FCallStartTime = "00:00:00";
        LEDDisplay->set_led_caption("");
        s_.player->SetRate(1.0);
        btnPlay->set_enabled(true);
        for (ec::TEcToolButton* b : {btnPause, btnStop, btnFastForward, btnRewind}) b->set_enabled(false);
        TrackBar->hide();
        break;
    case PlayState::Paused:
        for (ui::MenuItem* m : {NodeFastForward, NodeRewind}) m->set_enabled(false);
        NodeStop->set_enabled(true);
        btnPlay2Tag = 1;
        UpdatePlay2Hint();
        btnPlay2->set_enabled(true);
        HiTimer1->set_enabled(false);
        btnPlay->set_enabled(true);
        btnPause->set_enabled(false);
        btnStop->set_enabled(true);
        btnFastForward->set_enabled(false);
        btnRewind->set_enabled(false);
        break;
    default:
        break;
    }
}

void TSearchRecFrame::HiTimer1Timer() {
    if (FSeeking || !s_.player) return;
    TrackBar->set_position(station::BarPosition(s_.player->Position()));
}

void TSearchRecFrame::TrackBarChange() { ShowLed(TrackBar->position()); }

void TSearchRecFrame::ShowLed(int position_ms) {
    LEDDisplay->set_led_caption(station::LedTimeText(FShowElapsed, FCallStartTime, position_ms));
}

void TSearchRecFrame::TrackBarMouseDown() { FSeeking = true; }

void TSearchRecFrame::TrackBarMouseUp() {
    if (s_.player) s_.player->SetPosition(station::SeekSeconds(TrackBar->position()));
    FSeeking = false;
}

void TSearchRecFrame::TrackBarSpeedChange() {
    if (s_.player) s_.player->SetRate(station::RateFromBar(TrackBarSpeed->position()));
}

void TSearchRecFrame::btnSpeedRestoreClick() { TrackBarSpeed->set_position(station::kRateBarNormal); }

void TSearchRecFrame::TrackBarVolumeChange() {
    if (loading_volume_ || !s_.volume) return;
    s_.volume->SetMixerVolume(plat::media::MixerLine::Speakers,
                              static_cast<std::uint16_t>(std::clamp(TrackBarVolume->position(), 0, 65535)));
    TrackBarVolumeEnter();
}

void TSearchRecFrame::TrackBarVolumeEnter() {
    TrackBarVolume->set_hint(station::VolumeHint(Gbk(u8"放音音量控制"), TrackBarVolume->position(), TrackBarVolume->max()));
}

void TSearchRecFrame::btnVolumeMuteClick() {
    if (!s_.volume) return;
    FMuted = !FMuted;
    s_.volume->SetMixerMute(plat::media::MixerLine::Speakers, FMuted);
    btnVolumeMuteTag = FMuted ? 1 : 0;
    UpdateMuteLook();
}

void TSearchRecFrame::btnChangeShowingTimeClick() {
    FShowElapsed = !FShowElapsed;
    btnChangeShowingTime->set_hint(FShowElapsed ? occur_hint_ : elapsed_hint_);
}

void TSearchRecFrame::btnClosePanelPlayClick() { panelPlay->hide(); }

void TSearchRecFrame::ShowPlayPanel() {
    if (panelPlay->visible()) return;
    // Bottom-aligned controls keep the order of their tops: above the status line.
    panelPlay->set_top(statusBarSearch->top() - panelPlay->height());
    panelPlay->show();
}

} // namespace forms
