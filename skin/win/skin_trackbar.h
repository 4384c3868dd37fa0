// The skin of track bars: the control keeps its own painting and only has its channel and
// thumb drawn by the skin through its custom-draw notification, so its tick marks stay the
// system's.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "skin/win/skin_control.h"

namespace skin {

// The track bar's custom-draw answer for a stage and item (CDDS_* and TBCD_*): which parts
// the skin draws.
enum class TrackPart { kNone, kChannel, kThumb };
struct TrackDrawAnswer {
    LRESULT result = CDRF_DODEFAULT;
    TrackPart draw = TrackPart::kNone;
};
TrackDrawAnswer TrackCustomDraw(DWORD stage, DWORD_PTR item);

class TSkinTrackBar : public TSkinControl {
public:
    explicit TSkinTrackBar(ui::Component* owner) : TSkinControl(owner) {}
    bool BeforeMessage(ui::Message& m) override;
    void Reskin() override;
    // The channel from "Track" (or "TRACKVERT" for a vertical bar) and the thumb's frame 2 from
    // the thumb elements, into `dc`; the plain thumb without a thumb picture.
    void PaintChannel(HDC dc);
    void PaintThumb(HDC dc);

private:
    // True when the notification was a track bar's custom draw the skin answered.
    bool AnswerCustomDraw(ui::Message& m);
};

} // namespace skin
