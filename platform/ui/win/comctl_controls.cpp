#include "platform/ui/win/comctl_controls.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/text_gbk.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/menus.h"

namespace ui {

namespace {

std::wstring wide(const std::string& gbk) { return plat::gbk_to_wide(gbk); }

void restyle(WinControl& c) {
    if (c.handle_allocated()) c.recreate_wnd();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TabSheet

ClassInfo& TabSheet::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TTabSheet", &WinControl::static_class());
        c.factory = factory_of<TabSheet>();
        PropBuilder<TabSheet>(c)
            .string("Caption", [](const TabSheet& t) { return t.text(); }, [](TabSheet& t, const std::string& v) { t.set_text(v); },
                    "TCaption")
            .boolean("TabVisible", &TabSheet::tab_visible, &TabSheet::set_tab_visible, true)
            .integer("PageIndex", &TabSheet::page_index, &TabSheet::set_page_index)
            .integer("ImageIndex", &TabSheet::image_index, &TabSheet::set_image_index, -1, "TImageIndex")
            .reference<PageControl>("PageControl", "TPageControl", &TabSheet::page_control, &TabSheet::set_page_control);
        return c;
    }();
    return info;
}

TabSheet::TabSheet(Component* owner) : WinControl(owner) {
    TControlStyle s = control_style();
    s.include(TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
    Control::set_visible(false);
}

TabSheet::~TabSheet() {
    release_owned();
    set_page_control(nullptr);
}

bool TabSheet::adopt_child(Component* child) {
    auto* c = dynamic_cast<Control*>(child);
    if (!c) return false;
    c->set_parent(this);
    return true;
}

void TabSheet::set_page_control(PageControl* pc) {
    if (pc == page_control_) return;
    if (page_control_) page_control_->remove_page(this);
    page_control_ = pc;
    if (pc) pc->insert_page(this);
}

void TabSheet::set_tab_visible(bool v) {
    if (v == tab_visible_) return;
    tab_visible_ = v;
    if (page_control_) page_control_->update_tabs();
}

int TabSheet::page_index() const {
    if (!page_control_) return -1;
    auto& p = page_control_->pages_;
    return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TabSheet::set_page_index(int i) {
    if (!page_control_) return;
    auto& p = page_control_->pages_;
    p.erase(std::find(p.begin(), p.end(), this));
    i = std::clamp(i, 0, static_cast<int>(p.size()));
    p.insert(p.begin() + i, this);
    page_control_->update_tabs();
}

void TabSheet::set_image_index(int i) {
    image_index_ = i;
    if (page_control_) page_control_->update_tabs();
}

int TabSheet::tab_index() const {
    if (!page_control_ || !tab_visible_) return -1;
    int n = 0;
    for (TabSheet* s : page_control_->pages_) {
        if (s == this) return n;
        if (s->tab_visible_) ++n;
    }
    return -1;
}

void TabSheet::text_changed() {
    if (page_control_) page_control_->update_tabs();
}

// ---------------------------------------------------------------------------------------------
// PageControl

ClassInfo& PageControl::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TPageControl", &WinControl::static_class());
        c.factory = factory_of<PageControl>();
        PropBuilder<PageControl>(c)
            .reference<TabSheet>("ActivePage", "TTabSheet", &PageControl::active_page, &PageControl::set_active_page)
            .enumeration("Style", &PageControl::style, &PageControl::set_style, TTabStyle::tsTabs)
            .reference<ImageList>("Images", "TCustomImageList", &PageControl::images, &PageControl::set_images)
            .boolean("MultiLine", &PageControl::multi_line, &PageControl::set_multi_line)
            .boolean("HotTrack", &PageControl::hot_track, &PageControl::set_hot_track)
            .integer("TabHeight", &PageControl::tab_height, &PageControl::set_tab_height)
            .integer("TabWidth", &PageControl::tab_width, &PageControl::set_tab_width)
            .event("OnChange", "TNotifyEvent", &PageControl::on_change)
            .event("OnChanging", "TTabChangingEvent", &PageControl::on_changing);
        return c;
    }();
    return info;
}

PageControl::PageControl(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 289, 193);
    set_tab_stop(true);
    TControlStyle s = control_style();
    s.include(TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
}

PageControl::~PageControl() {
    release_owned();
    for (TabSheet* p : std::vector<TabSheet*>(pages_)) p->page_control_ = nullptr;
    pages_.clear();
    active_page_ = nullptr;
    destroy_handle();
}

bool PageControl::adopt_child(Component* child) {
    auto* sheet = dynamic_cast<TabSheet*>(child);
    if (!sheet) return false;
    sheet->set_page_control(this);
    return true;
}

std::vector<Component*> PageControl::children() const { return {pages_.begin(), pages_.end()}; }

void PageControl::insert_page(TabSheet* page) {
    pages_.push_back(page);
    page->set_parent(this);
    // The page takes its size at once, even while loading, so that its children's anchors are
    // measured against the page they will live on.
    Rect r = client_rect();
    adjust_client_rect(r);
    page->set_bounds(r.left, r.top, r.width(), r.height());
    update_tabs();
    if (!active_page_ && !loading()) set_active_page(page);
}

void PageControl::remove_page(TabSheet* page) {
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    if (active_page_ == page) active_page_ = nullptr;
    if (page->parent() == this) page->set_parent(nullptr);
    update_tabs();
}

void PageControl::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = WC_TABCONTROLW;
    p.style |= WS_CLIPCHILDREN;
    if (style_ == TTabStyle::tsButtons) p.style |= TCS_BUTTONS;
    if (style_ == TTabStyle::tsFlatButtons) p.style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (multi_line_) p.style |= TCS_MULTILINE;
    if (hot_track_) p.style |= TCS_HOTTRACK;
    if (tab_width_ > 0) p.style |= TCS_FIXEDWIDTH;
}

void PageControl::initialize_window() {
    if (images_) SendMessageW(handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->handle()));
    if (tab_width_ > 0 || tab_height_ > 0) SendMessageW(handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(tab_width_, tab_height_));
    update_tabs();
}

void PageControl::update_tabs() {
    if (!handle_allocated() || updating_tabs_) {
        show_active();
        return;
    }
    updating_tabs_ = true;
    HWND h = handle();
    SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
    int n = 0;
    for (TabSheet* s : pages_) {
        if (!s->tab_visible()) continue;
        std::wstring caption = wide(s->text());
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = caption.data();
        item.iImage = s->image_index();
        SendMessageW(h, TCM_INSERTITEMW, static_cast<WPARAM>(n++), reinterpret_cast<LPARAM>(&item));
    }
    updating_tabs_ = false;
    show_active();
    realign();
}

void PageControl::show_active() {
    for (TabSheet* s : pages_) s->set_visible(s == active_page_);
    if (handle_allocated() && active_page_) {
        int tab = active_page_->tab_index();
        SendMessageW(handle(), TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    }
    if (active_page_) active_page_->bring_to_front();
}

void PageControl::set_active_page(TabSheet* page) {
    if (page && page->page_control() != this) throw std::invalid_argument("the page belongs to another page control");
    if (page == active_page_) return;
    active_page_ = page;
    if (page) free_notification(page);
    if (!loading()) {
        show_active();
        realign();
    }
}

int PageControl::active_page_index() const { return active_page_ ? active_page_->page_index() : -1; }

void PageControl::set_active_page_index(int i) { set_active_page(i >= 0 && i < page_count() ? pages_[static_cast<std::size_t>(i)] : nullptr); }

void PageControl::set_style(TTabStyle s) {
    style_ = s;
    restyle(*this);
}

void PageControl::set_images(ImageList* images) {
    images_ = images;
    if (images) free_notification(images);
    if (handle_allocated())
        SendMessageW(handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->handle() : nullptr));
}

void PageControl::set_multi_line(bool v) {
    multi_line_ = v;
    restyle(*this);
}

void PageControl::set_tab_height(int h) {
    tab_height_ = std::max(0, h);
    if (handle_allocated()) SendMessageW(handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(tab_width_, tab_height_));
}

void PageControl::set_tab_width(int w) {
    tab_width_ = std::max(0, w);
    restyle(*this);
}

void PageControl::select_next_page(bool forward) {
    int n = page_count();
    if (n == 0) return;
    int start = std::max(0, active_page_index());
    for (int step = 1; step <= n; ++step) {
        TabSheet* s = pages_[static_cast<std::size_t>(((forward ? start + step : start - step) % n + n) % n)];
        if (s->tab_visible()) {
            set_active_page(s);
            if (on_change) on_change(this);
            return;
        }
    }
}

void PageControl::adjust_client_rect(Rect& r) const {
    bool any_tab = std::any_of(pages_.begin(), pages_.end(), [](TabSheet* s) { return s->tab_visible(); });
    if (handle_allocated() && any_tab) {
        RECT rc = to_rect(r);
        SendMessageW(const_cast<PageControl*>(this)->handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
        r = from_rect(rc);
        return;
    }
    if (any_tab) {
        // Before the window exists: the display area of one row of tabs in the default font.
        r = {r.left + 4, r.top + 24, std::max(r.left + 4, r.right - 4), std::max(r.top + 24, r.bottom - 4)};
        return;
    }
    // With every tab head hidden the page takes the whole area inside the border.
    r = {r.left + 4, r.top + 4, std::max(r.left + 4, r.right - 4), std::max(r.top + 4, r.bottom - 4)};
}

void PageControl::align_controls(Control* changed, Rect& r) {
    for (TabSheet* s : pages_) s->set_bounds(r.left, r.top, r.width(), r.height());
    (void)changed;
}

void PageControl::cn_notify(NMHDR& header, Message& m) {
    m.result = 0;
    if (header.code == TCN_SELCHANGING) {
        bool allow = true;
        if (on_changing) on_changing(this, allow);
        m.result = allow ? 0 : 1;
    } else if (header.code == TCN_SELCHANGE) {
        int tab = static_cast<int>(SendMessageW(handle(), TCM_GETCURSEL, 0, 0));
        for (TabSheet* s : pages_)
            if (s->tab_index() == tab && tab >= 0) {
                set_active_page(s);
                break;
            }
        if (on_change) on_change(this);
    }
}

void PageControl::wnd_proc(Message& m) {
    if (m.msg == CM_DIALOGKEY && m.wparam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && active_page_ &&
        active_page_->contains_control(parent_form() ? parent_form()->active_control() : nullptr)) {
        select_next_page(GetKeyState(VK_SHIFT) >= 0);
        m.result = 1;
        return;
    }
    WinControl::wnd_proc(m);
}

void PageControl::notification(Component* c, TOperation op) {
    WinControl::notification(c, op);
    if (op != TOperation::opRemove) return;
    if (c == images_) images_ = nullptr;
    if (c == active_page_) active_page_ = nullptr;
}

void PageControl::loaded() {
    WinControl::loaded();
    if (!active_page_) {
        for (TabSheet* s : pages_)
            if (s->tab_visible()) {
                active_page_ = s;
                break;
            }
    }
    update_tabs();
}

// ---------------------------------------------------------------------------------------------
// StatusBar

ClassInfo& StatusPanel::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TStatusPanel", &CollectionItem::static_class());
        PropBuilder<StatusPanel>(c)
            .string("Text", &StatusPanel::text, &StatusPanel::set_text)
            .integer("Width", &StatusPanel::width, &StatusPanel::set_width, 50)
            .enumeration("Alignment", &StatusPanel::alignment, &StatusPanel::set_alignment, TAlignment::taLeftJustify)
            .enumeration("Bevel", &StatusPanel::bevel, &StatusPanel::set_bevel, TStatusPanelBevel::pbLowered)
            .enumeration("Style", &StatusPanel::style, &StatusPanel::set_style, TStatusPanelStyle::psText);
        return c;
    }();
    return info;
}

void StatusPanel::set_text(const std::string& t) {
    text_ = t;
    changed();
}
void StatusPanel::set_width(int w) {
    width_ = w;
    changed();
}
void StatusPanel::set_alignment(TAlignment a) {
    alignment_ = a;
    changed();
}
void StatusPanel::set_bevel(TStatusPanelBevel b) {
    bevel_ = b;
    changed();
}
void StatusPanel::set_style(TStatusPanelStyle s) {
    style_ = s;
    changed();
}

ClassInfo& StatusBar::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomStatusBar", &WinControl::static_class());
        PropBuilder<StatusBar>(c)
            .object("Panels", PropKind::Collection, "TStatusPanels", [](StatusBar& s) -> Persistent* { return &s.panels_; })
            .boolean("SimplePanel", &StatusBar::simple_panel, &StatusBar::set_simple_panel)
            .string("SimpleText", &StatusBar::simple_text, &StatusBar::set_simple_text)
            .boolean("SizeGrip", &StatusBar::size_grip, &StatusBar::set_size_grip, true)
            .event("OnDrawPanel", "TDrawPanelEvent", &StatusBar::on_draw_panel);
        return c;
    }();
    return info;
}

ClassInfo& StatusBar::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TStatusBar", &custom_class());
        c.factory = factory_of<StatusBar>();
        return c;
    }();
    return info;
}

StatusBar::StatusBar(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 400, 19);
    set_align(TAlign::alBottom);
    panels_.on_update = [this](CollectionItem*) { update_panels(); };
}

void StatusBar::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = STATUSCLASSNAMEW;
    p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
    if (size_grip_) p.style |= SBARS_SIZEGRIP;
}

void StatusBar::initialize_window() { update_panels(); }

void StatusBar::changed_bounds(bool size_changed) {
    WinControl::changed_bounds(size_changed);
    if (size_changed) update_panels();
}

void StatusBar::update_panels() {
    if (!handle_allocated()) return;
    HWND h = handle();
    SendMessageW(h, SB_SIMPLE, simple_panel_, 0);
    if (simple_panel_) {
        SendMessageW(h, SB_SETTEXTW, 255, reinterpret_cast<LPARAM>(wide(simple_text_).c_str()));
        return;
    }
    int n = std::min(panels_.count(), 255);
    std::vector<int> rights;
    int x = 0;
    for (int i = 0; i < n; ++i) {
        x += panels_.at(i)->width();
        rights.push_back(i == n - 1 ? -1 : x);
    }
    if (n == 0) rights.push_back(-1);
    SendMessageW(h, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (int i = 0; i < n; ++i) {
        StatusPanel* p = panels_.at(i);
        WPARAM flags = static_cast<WPARAM>(i) | (p->bevel() == TStatusPanelBevel::pbNone ? SBT_NOBORDERS : 0) |
                       (p->bevel() == TStatusPanelBevel::pbRaised ? SBT_POPOUT : 0) |
                       (p->style() == TStatusPanelStyle::psOwnerDraw ? SBT_OWNERDRAW : 0);
        std::wstring text = wide(p->text());
        if (p->alignment() == TAlignment::taCenter) text = L"\t" + text;
        else if (p->alignment() == TAlignment::taRightJustify) text = L"\t\t" + text;
        SendMessageW(h, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void StatusBar::set_simple_panel(bool v) {
    simple_panel_ = v;
    update_panels();
}

void StatusBar::set_simple_text(const std::string& t) {
    simple_text_ = t;
    update_panels();
}

void StatusBar::set_size_grip(bool v) {
    size_grip_ = v;
    restyle(*this);
}

std::string StatusBar::panel_text(int index) {
    if (!handle_allocated()) return index >= 0 && index < panels_.count() ? panels_.at(index)->text() : std::string();
    LRESULT len = SendMessageW(handle(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0);
    std::wstring w(static_cast<std::size_t>(LOWORD(len)) + 1, L'\0');
    SendMessageW(handle(), SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(w.data()));
    w.resize(LOWORD(len));
    w.erase(0, w.find_first_not_of(L'\t') == std::wstring::npos ? w.size() : w.find_first_not_of(L'\t'));
    return plat::wide_to_gbk(w);
}

void StatusBar::wnd_proc(Message& m) {
    if (m.msg == CN_DRAWITEM) {
        auto& d = *reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam);
        int i = static_cast<int>(d.itemID);
        if (on_draw_panel && i >= 0 && i < panels_.count()) on_draw_panel(this, panels_.at(i), from_rect(d.rcItem));
        m.result = 1;
        return;
    }
    WinControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// ProgressBar

ClassInfo& ProgressBar::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TProgressBar", &WinControl::static_class());
        c.factory = factory_of<ProgressBar>();
        PropBuilder<ProgressBar>(c)
            .integer("Min", &ProgressBar::min, &ProgressBar::set_min)
            .integer("Max", &ProgressBar::max, &ProgressBar::set_max, 100)
            .integer("Position", &ProgressBar::position, &ProgressBar::set_position)
            .integer("Step", &ProgressBar::step, &ProgressBar::set_step, 10)
            .enumeration("Orientation", &ProgressBar::orientation, &ProgressBar::set_orientation,
                         TProgressBarOrientation::pbHorizontal)
            .boolean("Smooth", &ProgressBar::smooth, &ProgressBar::set_smooth);
        return c;
    }();
    return info;
}

ProgressBar::ProgressBar(Component* owner) : WinControl(owner) { set_bounds(0, 0, 150, 16); }

void ProgressBar::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = PROGRESS_CLASSW;
    if (orientation_ == TProgressBarOrientation::pbVertical) p.style |= PBS_VERTICAL;
    if (smooth_) p.style |= PBS_SMOOTH;
}

void ProgressBar::initialize_window() {
    SendMessageW(handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
    SendMessageW(handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::set_min(int v) {
    min_ = v;
    if (handle_allocated()) SendMessageW(handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void ProgressBar::set_max(int v) {
    max_ = v;
    if (handle_allocated()) SendMessageW(handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int ProgressBar::position() const {
    if (handle_allocated()) return static_cast<int>(SendMessageW(const_cast<ProgressBar*>(this)->handle(), PBM_GETPOS, 0, 0));
    return position_;
}

void ProgressBar::set_position(int v) {
    position_ = loading() ? v : std::clamp(v, min_, std::max(min_, max_));
    if (handle_allocated()) SendMessageW(handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::set_step(int v) {
    step_ = v;
    if (handle_allocated()) SendMessageW(handle(), PBM_SETSTEP, static_cast<WPARAM>(v), 0);
}

void ProgressBar::set_orientation(TProgressBarOrientation o) {
    orientation_ = o;
    restyle(*this);
}

void ProgressBar::set_smooth(bool v) {
    smooth_ = v;
    restyle(*this);
}

void ProgressBar::step_it() { step_by(step_); }

void ProgressBar::step_by(int delta) {
    // The bar wraps to its minimum past the maximum, as the common control does.
    int p = position() + delta;
    if (p > max_) p = min_ + (p - max_) % std::max(1, max_ - min_);
    set_position(p);
}

// ---------------------------------------------------------------------------------------------
// TrackBar

ClassInfo& TrackBar::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TTrackBar", &WinControl::static_class());
        c.factory = factory_of<TrackBar>();
        PropBuilder<TrackBar>(c)
            .integer("Min", &TrackBar::min, &TrackBar::set_min)
            .integer("Max", &TrackBar::max, &TrackBar::set_max, 10)
            .integer("Position", &TrackBar::position, &TrackBar::set_position)
            .enumeration("Orientation", &TrackBar::orientation, &TrackBar::set_orientation, TTrackBarOrientation::trHorizontal)
            .integer("Frequency", &TrackBar::frequency, &TrackBar::set_frequency, 1)
            .enumeration("TickStyle", &TrackBar::tick_style, &TrackBar::set_tick_style, TTickStyle::tsAuto)
            .enumeration("TickMarks", &TrackBar::tick_marks, &TrackBar::set_tick_marks, TTickMark::tmBottomRight)
            .integer("PageSize", &TrackBar::page_size, &TrackBar::set_page_size, 2)
            .integer("LineSize", &TrackBar::line_size, &TrackBar::set_line_size, 1)
            .event("OnChange", "TNotifyEvent", &TrackBar::on_change);
        return c;
    }();
    return info;
}

TrackBar::TrackBar(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 150, 45);
    set_tab_stop(true);
}

void TrackBar::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = TRACKBAR_CLASSW;
    p.style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
    if (tick_style_ == TTickStyle::tsNone) p.style |= TBS_NOTICKS;
    else if (tick_style_ == TTickStyle::tsAuto) p.style |= TBS_AUTOTICKS;
    if (tick_marks_ == TTickMark::tmBoth) p.style |= TBS_BOTH;
    else if (tick_marks_ == TTickMark::tmTopLeft) p.style |= TBS_TOP;
}

void TrackBar::initialize_window() {
    HWND h = handle();
    SendMessageW(h, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(h, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(h, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageW(h, TBM_SETPAGESIZE, 0, page_size_);
    SendMessageW(h, TBM_SETLINESIZE, 0, line_size_);
    SendMessageW(h, TBM_SETPOS, TRUE, position_);
}

void TrackBar::set_min(int v) {
    min_ = v;
    if (handle_allocated()) SendMessageW(handle(), TBM_SETRANGEMIN, TRUE, v);
}

void TrackBar::set_max(int v) {
    max_ = v;
    if (handle_allocated()) SendMessageW(handle(), TBM_SETRANGEMAX, TRUE, v);
}

int TrackBar::position() const {
    if (handle_allocated()) return static_cast<int>(SendMessageW(const_cast<TrackBar*>(this)->handle(), TBM_GETPOS, 0, 0));
    return position_;
}

void TrackBar::set_position(int v) {
    int old = position();
    position_ = loading() ? v : std::clamp(v, min_, std::max(min_, max_));
    if (handle_allocated()) SendMessageW(handle(), TBM_SETPOS, TRUE, position_);
    if (old != position_ && !loading() && on_change) on_change(this);
}

void TrackBar::set_orientation(TTrackBarOrientation o) {
    if (o == orientation_) return;
    orientation_ = o;
    if (!loading()) set_bounds(left(), top(), height(), width());
    restyle(*this);
}

void TrackBar::set_frequency(int f) {
    frequency_ = std::max(1, f);
    if (handle_allocated()) SendMessageW(handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TrackBar::set_tick_style(TTickStyle s) {
    tick_style_ = s;
    restyle(*this);
}

void TrackBar::set_tick_marks(TTickMark t) {
    tick_marks_ = t;
    restyle(*this);
}

void TrackBar::set_page_size(int v) {
    page_size_ = v;
    if (handle_allocated()) SendMessageW(handle(), TBM_SETPAGESIZE, 0, v);
}

void TrackBar::set_line_size(int v) {
    line_size_ = v;
    if (handle_allocated()) SendMessageW(handle(), TBM_SETLINESIZE, 0, v);
}

void TrackBar::cn_scroll(Message& m) {
    int p = position();
    if (p != position_) {
        position_ = p;
        if (on_change) on_change(this);
    }
    m.result = 0;
}

// ---------------------------------------------------------------------------------------------
// UpDown

ClassInfo& UpDown::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomUpDown", &WinControl::static_class());
        PropBuilder<UpDown>(c)
            .integer("Min", &UpDown::min, &UpDown::set_min)
            .integer("Max", &UpDown::max, &UpDown::set_max, 100)
            .integer("Position", &UpDown::position, &UpDown::set_position)
            .integer("Increment", &UpDown::increment, &UpDown::set_increment, 1)
            .reference<WinControl>("Associate", "TWinControl", &UpDown::associate, &UpDown::set_associate)
            .enumeration("Orientation", &UpDown::orientation, &UpDown::set_orientation, TUDOrientation::udVertical)
            .enumeration("AlignButton", &UpDown::align_button, &UpDown::set_align_button, TUDAlignButton::udRight)
            .boolean("Wrap", &UpDown::wrap, &UpDown::set_wrap)
            .boolean("ArrowKeys", &UpDown::arrow_keys, &UpDown::set_arrow_keys, true)
            .boolean("Thousands", &UpDown::thousands, &UpDown::set_thousands, true)
            .event("OnClick", "TUDClickEvent", &UpDown::on_click_button)
            .event("OnChanging", "TUDChangingEvent", &UpDown::on_changing);
        return c;
    }();
    return info;
}

ClassInfo& UpDown::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TUpDown", &custom_class());
        c.factory = factory_of<UpDown>();
        return c;
    }();
    return info;
}

UpDown::UpDown(Component* owner) : WinControl(owner) { set_bounds(0, 0, 17, 25); }

void UpDown::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = UPDOWN_CLASSW;
    p.style |= UDS_SETBUDDYINT;
    if (orientation_ == TUDOrientation::udHorizontal) p.style |= UDS_HORZ;
    if (associate_) p.style |= align_button_ == TUDAlignButton::udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
    if (wrap_) p.style |= UDS_WRAP;
    if (arrow_keys_) p.style |= UDS_ARROWKEYS;
    if (!thousands_) p.style |= UDS_NOTHOUSANDS;
}

void UpDown::initialize_window() {
    HWND h = handle();
    SendMessageW(h, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    UDACCEL accel{0, static_cast<UINT>(std::max(1, increment_))};
    SendMessageW(h, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (associate_) SendMessageW(h, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->handle()), 0);
    SendMessageW(h, UDM_SETPOS32, 0, position_);
}

void UpDown::set_min(int v) {
    min_ = v;
    if (handle_allocated()) SendMessageW(handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void UpDown::set_max(int v) {
    max_ = v;
    if (handle_allocated()) SendMessageW(handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int UpDown::position() const {
    if (handle_allocated()) return static_cast<int>(SendMessageW(const_cast<UpDown*>(this)->handle(), UDM_GETPOS32, 0, 0));
    return position_;
}

void UpDown::set_position(int v) {
    position_ = loading() ? v : std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    if (handle_allocated()) SendMessageW(handle(), UDM_SETPOS32, 0, position_);
}

void UpDown::set_increment(int v) {
    increment_ = v;
    if (handle_allocated()) {
        UDACCEL accel{0, static_cast<UINT>(std::max(1, v))};
        SendMessageW(handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void UpDown::set_associate(WinControl* c) {
    if (c == this) throw std::invalid_argument("an up-down control cannot be its own buddy");
    associate_ = c;
    if (c) free_notification(c);
    restyle(*this);
}

void UpDown::set_orientation(TUDOrientation o) {
    orientation_ = o;
    restyle(*this);
}
void UpDown::set_align_button(TUDAlignButton a) {
    align_button_ = a;
    restyle(*this);
}
void UpDown::set_wrap(bool v) {
    wrap_ = v;
    restyle(*this);
}
void UpDown::set_arrow_keys(bool v) {
    arrow_keys_ = v;
    restyle(*this);
}
void UpDown::set_thousands(bool v) {
    thousands_ = v;
    restyle(*this);
}

void UpDown::cn_notify(NMHDR& header, Message& m) {
    m.result = 0;
    if (header.code == UDN_DELTAPOS && on_changing) {
        bool allow = true;
        on_changing(this, allow);
        m.result = allow ? 0 : 1;
    }
}

void UpDown::cn_scroll(Message& m) {
    int p = position();
    TUDBtnType b = p >= position_ ? TUDBtnType::btNext : TUDBtnType::btPrev;
    position_ = p;
    if (LOWORD(m.wparam) == SB_THUMBPOSITION && on_click_button) on_click_button(this, b);
    m.result = 0;
}

void UpDown::notification(Component* c, TOperation op) {
    WinControl::notification(c, op);
    if (op == TOperation::opRemove && c == associate_) associate_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// DateTimePicker

namespace {

SYSTEMTIME to_system_time(TDateTime v) {
    CivilDateTime c = decode_date_time(v);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(c.year);
    st.wMonth = static_cast<WORD>(c.month);
    st.wDay = static_cast<WORD>(c.day);
    st.wHour = static_cast<WORD>(c.hour);
    st.wMinute = static_cast<WORD>(c.minute);
    st.wSecond = static_cast<WORD>(c.second);
    st.wMilliseconds = static_cast<WORD>(c.millisecond);
    return st;
}

TDateTime from_system_time(const SYSTEMTIME& st) {
    return encode_date_time({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

} // namespace

ClassInfo& DateTimePicker::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TDateTimePicker", &WinControl::static_class());
        c.factory = factory_of<DateTimePicker>();
        PropBuilder<DateTimePicker>(c)
            .floating("Date", &DateTimePicker::date, &DateTimePicker::set_date, "TDate")
            .floating("Time", &DateTimePicker::time, &DateTimePicker::set_time, "TTime")
            .floating("DateTime", &DateTimePicker::date_time, &DateTimePicker::set_date_time, "TDateTime")
            .enumeration("Kind", &DateTimePicker::kind, &DateTimePicker::set_kind, TDateTimeKind::dtkDate)
            .enumeration("DateFormat", &DateTimePicker::date_format, &DateTimePicker::set_date_format, TDTDateFormat::dfShort)
            .enumeration("DateMode", &DateTimePicker::date_mode, &DateTimePicker::set_date_mode, TDTDateMode::dmComboBox)
            .string("Format", &DateTimePicker::format, &DateTimePicker::set_format)
            .floating("MaxDate", &DateTimePicker::max_date, &DateTimePicker::set_max_date, "TDate")
            .floating("MinDate", &DateTimePicker::min_date, &DateTimePicker::set_min_date, "TDate")
            .boolean("ShowCheckbox", &DateTimePicker::show_checkbox, &DateTimePicker::set_show_checkbox)
            .boolean("Checked", &DateTimePicker::checked, &DateTimePicker::set_checked, true)
            .event("OnChange", "TNotifyEvent", &DateTimePicker::on_change);
        return c;
    }();
    return info;
}

DateTimePicker::DateTimePicker(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 186, 21);
    set_tab_stop(true);
    set_color(clWindow);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    value_ = from_system_time(now);
}

void DateTimePicker::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = DATETIMEPICK_CLASSW;
    if (kind_ == TDateTimeKind::dtkTime) p.style |= DTS_TIMEFORMAT;
    else p.style |= date_format_ == TDTDateFormat::dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
    if (show_checkbox_) p.style |= DTS_SHOWNONE;
    if (date_mode_ == TDTDateMode::dmUpDown) p.style |= DTS_UPDOWN;
}

void DateTimePicker::initialize_window() {
    if (!format_.empty()) SendMessageW(handle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(wide(format_).c_str()));
    push_range();
    push_value();
}

void DateTimePicker::push_range() {
    if (!handle_allocated()) return;
    SYSTEMTIME range[2]{};
    WPARAM flags = 0;
    if (min_date_ != 0) {
        range[0] = to_system_time(min_date_);
        flags |= GDTR_MIN;
    }
    if (max_date_ != 0) {
        range[1] = to_system_time(max_date_);
        flags |= GDTR_MAX;
    }
    SendMessageW(handle(), DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range));
}

TDateTime DateTimePicker::clamped(TDateTime v) const {
    if (min_date_ != 0 && v < min_date_) v = min_date_;
    if (max_date_ != 0 && v > max_date_) v = max_date_;
    return v;
}

void DateTimePicker::set_min_date(TDateTime v) {
    min_date_ = v;
    if (max_date_ != 0 && v != 0 && max_date_ < v) max_date_ = v;
    push_range();
    set_date_time(date_time());
}

void DateTimePicker::set_max_date(TDateTime v) {
    max_date_ = v;
    if (min_date_ != 0 && v != 0 && min_date_ > v) min_date_ = v;
    push_range();
    set_date_time(date_time());
}

HWND DateTimePicker::calendar_handle() {
    if (!handle_allocated()) return nullptr;
    return reinterpret_cast<HWND>(SendMessageW(handle(), DTM_GETMONTHCAL, 0, 0));
}

void DateTimePicker::push_value() {
    if (!handle_allocated()) return;
    SYSTEMTIME st = to_system_time(value_);
    SendMessageW(handle(), DTM_SETSYSTEMTIME, (show_checkbox_ && !checked_) ? GDT_NONE : GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

TDateTime DateTimePicker::date_time() const {
    if (handle_allocated()) {
        SYSTEMTIME st{};
        if (SendMessageW(const_cast<DateTimePicker*>(this)->handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
            return from_system_time(st);
    }
    return value_;
}

void DateTimePicker::set_date_time(TDateTime v) {
    decode_date_time(v);  // refuses nothing, but keeps the value in the calendar's range
    value_ = clamped(v);
    push_value();
}

TDateTime DateTimePicker::date() const { return std::trunc(date_time()); }

void DateTimePicker::set_date(TDateTime v) {
    double t = date_time() - std::trunc(date_time());
    set_date_time(std::trunc(v) + t);
}

TDateTime DateTimePicker::time() const {
    double v = date_time();
    return v - std::trunc(v);
}

void DateTimePicker::set_time(TDateTime v) { set_date_time(std::trunc(date_time()) + (v - std::trunc(v))); }

void DateTimePicker::set_kind(TDateTimeKind k) {
    kind_ = k;
    restyle(*this);
}

void DateTimePicker::set_date_format(TDTDateFormat f) {
    date_format_ = f;
    restyle(*this);
}

void DateTimePicker::set_date_mode(TDTDateMode m) {
    date_mode_ = m;
    restyle(*this);
}

void DateTimePicker::set_format(const std::string& f) {
    if (handle_allocated() &&
        !SendMessageW(handle(), DTM_SETFORMATW, 0, f.empty() ? 0 : reinterpret_cast<LPARAM>(wide(f).c_str())))
        return;
    format_ = f;
}

void DateTimePicker::set_show_checkbox(bool v) {
    show_checkbox_ = v;
    restyle(*this);
}

bool DateTimePicker::checked() const {
    if (!handle_allocated() || !show_checkbox_) return checked_;
    SYSTEMTIME st{};
    return SendMessageW(const_cast<DateTimePicker*>(this)->handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID;
}

void DateTimePicker::set_checked(bool v) {
    checked_ = v;
    push_value();
}

void DateTimePicker::cn_notify(NMHDR& header, Message& m) {
    m.result = 0;
    if (header.code == DTN_DATETIMECHANGE) {
        value_ = date_time();
        if (on_change && !loading()) on_change(this);
    }
}

// ---------------------------------------------------------------------------------------------
// PageScroller

ClassInfo& PageScroller::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TPageScroller", &WinControl::static_class());
        c.factory = factory_of<PageScroller>();
        PropBuilder<PageScroller>(c)
            .reference<Control>("Control", "TControl", &PageScroller::control, &PageScroller::set_control)
            .enumeration("Orientation", &PageScroller::orientation, &PageScroller::set_orientation,
                         TPageScrollerOrientation::soHorizontal)
            .integer("ButtonSize", &PageScroller::button_size, &PageScroller::set_button_size, 12)
            .boolean("AutoScroll", &PageScroller::auto_scroll, &PageScroller::set_auto_scroll)
            .integer("Margin", &PageScroller::margin, &PageScroller::set_margin)
            .integer("Position", &PageScroller::position, &PageScroller::set_position);
        return c;
    }();
    return info;
}

PageScroller::PageScroller(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 150, 45);
    TControlStyle s = control_style();
    s.include(TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
}

bool PageScroller::adopt_child(Component* child) {
    auto* c = dynamic_cast<Control*>(child);
    if (!c) return false;
    c->set_parent(this);
    return true;
}

void PageScroller::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = WC_PAGESCROLLERW;
    p.style |= orientation_ == TPageScrollerOrientation::soVertical ? PGS_VERT : PGS_HORZ;
    if (auto_scroll_) p.style |= PGS_AUTOSCROLL;
}

void PageScroller::initialize_window() {
    SendMessageW(handle(), PGM_SETBUTTONSIZE, 0, button_size_);
    SendMessageW(handle(), PGM_SETBORDER, 0, margin_);
    if (auto* w = dynamic_cast<WinControl*>(control_)) SendMessageW(handle(), PGM_SETCHILD, 0, reinterpret_cast<LPARAM>(w->handle()));
}

void PageScroller::set_control(Control* c) {
    if (c == this) throw std::invalid_argument("a page scroller cannot scroll itself");
    control_ = c;
    if (c) {
        free_notification(c);
        if (c->parent() != this) c->set_parent(this);
    }
    if (handle_allocated()) {
        auto* w = dynamic_cast<WinControl*>(c);
        SendMessageW(handle(), PGM_SETCHILD, 0, reinterpret_cast<LPARAM>(w ? w->handle() : nullptr));
        SendMessageW(handle(), PGM_RECALCSIZE, 0, 0);
    }
}

void PageScroller::set_orientation(TPageScrollerOrientation o) {
    orientation_ = o;
    restyle(*this);
}

void PageScroller::set_button_size(int v) {
    button_size_ = v;
    if (handle_allocated()) SendMessageW(handle(), PGM_SETBUTTONSIZE, 0, v);
}

void PageScroller::set_auto_scroll(bool v) {
    auto_scroll_ = v;
    restyle(*this);
}

void PageScroller::set_margin(int v) {
    margin_ = v;
    if (handle_allocated()) SendMessageW(handle(), PGM_SETBORDER, 0, v);
}

int PageScroller::position() const {
    return handle_allocated() ? static_cast<int>(SendMessageW(const_cast<PageScroller*>(this)->handle(), PGM_GETPOS, 0, 0)) : 0;
}

void PageScroller::set_position(int v) {
    if (handle_allocated()) SendMessageW(handle(), PGM_SETPOS, 0, v);
}

void PageScroller::align_controls(Control*, Rect&) {
    // The pager window places its child itself.
    if (handle_allocated()) SendMessageW(handle(), PGM_RECALCSIZE, 0, 0);
}

void PageScroller::cn_notify(NMHDR& header, Message& m) {
    m.result = 0;
    if (header.code == static_cast<UINT>(PGN_CALCSIZE) && control_) {
        auto& calc = reinterpret_cast<NMPGCALCSIZE&>(header);
        if (calc.dwFlag == PGF_CALCWIDTH) calc.iWidth = control_->width();
        else calc.iHeight = control_->height();
    }
}

void PageScroller::notification(Component* c, TOperation op) {
    WinControl::notification(c, op);
    if (op == TOperation::opRemove && c == control_) control_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// ToolButton and ToolBar

ClassInfo& ToolButton::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TToolButton", &GraphicControl::static_class());
        c.factory = factory_of<ToolButton>();
        PropBuilder<ToolButton>(c)
            .string("Caption", [](const ToolButton& b) { return b.text(); }, [](ToolButton& b, const std::string& v) { b.set_text(v); },
                    "TCaption")
            .enumeration("Style", &ToolButton::style, &ToolButton::set_style, TToolButtonStyle::tbsButton)
            .integer("ImageIndex", &ToolButton::image_index, &ToolButton::set_image_index, -1, "TImageIndex")
            .boolean("Down", &ToolButton::down, &ToolButton::set_down)
            .boolean("Grouped", &ToolButton::grouped, &ToolButton::set_grouped)
            .boolean("Wrap", &ToolButton::wrap, &ToolButton::set_wrap)
            .reference<PopupMenu>("DropdownMenu", "TPopupMenu", &ToolButton::drop_down_menu, &ToolButton::set_drop_down_menu);
        return c;
    }();
    return info;
}

ToolButton::ToolButton(Component* owner) : GraphicControl(owner) {
    static int next = 100;
    command_ = next = next >= 30000 ? 100 : next + 1;
    set_bounds(0, 0, 23, 22);
}

ToolButton::~ToolButton() {
    ToolBar* bar = tool_bar();
    release_owned();
    if (bar) {
        set_parent(nullptr);
        if (!bar->destroying()) bar->update_buttons();
    }
}

ToolBar* ToolButton::tool_bar() const { return dynamic_cast<ToolBar*>(parent()); }

void ToolButton::changed() {
    if (ToolBar* bar = tool_bar(); bar && !bar->loading()) bar->update_buttons();
}

void ToolButton::set_visible(bool v) {
    if (v == visible()) return;
    GraphicControl::set_visible(v);
    changed();
}

void ToolButton::set_enabled(bool v) {
    if (v == enabled()) return;
    GraphicControl::set_enabled(v);
    changed();
}

void ToolButton::set_style(TToolButtonStyle s) {
    style_ = s;
    changed();
}

void ToolButton::set_image_index(int i) {
    image_index_ = i;
    changed();
}

void ToolButton::set_down(bool v) {
    if (v == down_) return;
    down_ = v;
    // A pressed grouped button releases the others of its group (adjacent grouped check buttons).
    if (v && grouped_ && tool_bar()) {
        ToolBar* bar = tool_bar();
        int me = -1;
        for (int i = 0; i < bar->button_count(); ++i)
            if (bar->button(i) == this) me = i;
        for (int dir : {-1, 1})
            for (int i = me + dir; i >= 0 && i < bar->button_count(); i += dir) {
                ToolButton* b = bar->button(i);
                if (!b->grouped_ || b->style_ != TToolButtonStyle::tbsCheck) break;
                b->down_ = false;
            }
    }
    changed();
}

void ToolButton::set_grouped(bool v) {
    grouped_ = v;
    changed();
}

void ToolButton::set_wrap(bool v) {
    wrap_ = v;
    changed();
}

void ToolButton::set_drop_down_menu(PopupMenu* m) {
    drop_down_menu_ = m;
    if (m) free_notification(m);
}

void ToolButton::notification(Component* c, TOperation op) {
    GraphicControl::notification(c, op);
    if (op == TOperation::opRemove && c == drop_down_menu_) drop_down_menu_ = nullptr;
}

void ToolButton::text_changed() { changed(); }

void ToolButton::click() {
    if (style_ == TToolButtonStyle::tbsCheck) set_down(grouped_ ? true : !down_);
    GraphicControl::click();
}

ClassInfo& ToolBar::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TToolBar", &WinControl::static_class());
        c.factory = factory_of<ToolBar>();
        PropBuilder<ToolBar>(c)
            .integer("ButtonWidth", &ToolBar::button_width, &ToolBar::set_button_width, 23)
            .integer("ButtonHeight", &ToolBar::button_height, &ToolBar::set_button_height, 22)
            .reference<ImageList>("Images", "TCustomImageList", &ToolBar::images, &ToolBar::set_images)
            .boolean("ShowCaptions", &ToolBar::show_captions, &ToolBar::set_show_captions)
            .boolean("Flat", &ToolBar::flat, &ToolBar::set_flat)
            .boolean("List", &ToolBar::list, &ToolBar::set_list)
            .boolean("Wrapable", &ToolBar::wrapable, &ToolBar::set_wrapable, true);
        return c;
    }();
    return info;
}

ToolBar::ToolBar(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 150, 29);
    set_align(TAlign::alTop);
    TControlStyle s = control_style();
    s.include(TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
}

bool ToolBar::adopt_child(Component* child) {
    auto* c = dynamic_cast<Control*>(child);
    if (!c) return false;
    c->set_parent(this);
    return true;
}

void ToolBar::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = TOOLBARCLASSNAMEW;
    p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
    if (flat_) p.style |= TBSTYLE_FLAT;
    if (list_) p.style |= TBSTYLE_LIST;
    if (wrapable_) p.style |= TBSTYLE_WRAPABLE;
}

void ToolBar::initialize_window() {
    SendMessageW(handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    update_buttons();
}

int ToolBar::button_count() const {
    int n = 0;
    for (Control* c : controls())
        if (dynamic_cast<ToolButton*>(c)) ++n;
    return n;
}

ToolButton* ToolBar::button(int index) const {
    for (Control* c : controls())
        if (auto* b = dynamic_cast<ToolButton*>(c); b && index-- == 0) return b;
    return nullptr;
}

ToolButton* ToolBar::find_button(int command) const {
    for (Control* c : controls())
        if (auto* b = dynamic_cast<ToolButton*>(c); b && b->command() == command) return b;
    return nullptr;
}

void ToolBar::update_buttons() {
    if (!handle_allocated() || loading()) return;
    HWND h = handle();
    SendMessageW(h, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->handle() : nullptr));
    while (SendMessageW(h, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(h, TB_DELETEBUTTON, 0, 0);
    std::vector<std::wstring> texts;
    std::vector<ToolButton*> buttons;
    for (Control* c : controls())
        if (auto* b = dynamic_cast<ToolButton*>(c); b && b->visible()) buttons.push_back(b);
    texts.reserve(buttons.size());
    for (ToolButton* b : buttons) {
        texts.push_back(show_captions_ ? plat::gbk_to_wide(b->text()) : std::wstring());
        TBBUTTON tb{};
        tb.iBitmap = b->image_index() >= 0 ? b->image_index() : I_IMAGENONE;
        tb.idCommand = b->command();
        tb.fsState = static_cast<BYTE>((b->enabled() ? TBSTATE_ENABLED : 0) | (b->down() ? TBSTATE_CHECKED : 0) |
                                       (b->wrap() ? TBSTATE_WRAP : 0));
        switch (b->style()) {
        case TToolButtonStyle::tbsCheck: tb.fsStyle = BTNS_CHECK | (b->grouped() ? BTNS_GROUP : 0); break;
        case TToolButtonStyle::tbsDropDown: tb.fsStyle = BTNS_DROPDOWN; break;
        case TToolButtonStyle::tbsSeparator:
        case TToolButtonStyle::tbsDivider: tb.fsStyle = BTNS_SEP; break;
        default: tb.fsStyle = BTNS_BUTTON; break;
        }
        tb.iString = texts.back().empty() ? -1 : reinterpret_cast<INT_PTR>(texts.back().c_str());
        SendMessageW(h, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&tb));
    }
    SendMessageW(h, TB_SETBUTTONSIZE, 0, MAKELPARAM(button_width_, button_height_));
    SendMessageW(h, TB_AUTOSIZE, 0, 0);
    // The buttons' places are the bar's: keep the controls' bounds in step for hit tests.
    for (ToolButton* b : buttons) {
        RECT r{};
        LRESULT index = SendMessageW(h, TB_COMMANDTOINDEX, static_cast<WPARAM>(b->command()), 0);
        if (SendMessageW(h, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
            b->Control::set_bounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    InvalidateRect(h, nullptr, TRUE);
}

void ToolBar::align_controls(Control*, Rect&) {}

void ToolBar::set_button_width(int w) {
    button_width_ = w;
    update_buttons();
}

void ToolBar::set_button_height(int h) {
    button_height_ = h;
    update_buttons();
}

void ToolBar::set_images(ImageList* images) {
    if (images_) images_->unregister_changes(images_link_);
    images_ = images;
    if (images) {
        free_notification(images);
        images_link_ = images->register_changes([this](ImageList&) { update_buttons(); });
    }
    update_buttons();
}

void ToolBar::set_show_captions(bool v) {
    show_captions_ = v;
    update_buttons();
}

void ToolBar::set_flat(bool v) {
    flat_ = v;
    restyle(*this);
}

void ToolBar::set_list(bool v) {
    list_ = v;
    restyle(*this);
}

void ToolBar::set_wrapable(bool v) {
    wrapable_ = v;
    restyle(*this);
}

void ToolBar::loaded() {
    WinControl::loaded();
    update_buttons();
}

void ToolBar::cn_command(WORD, Message& m) {
    m.result = 0;
    if (ToolButton* b = find_button(LOWORD(m.wparam))) b->click();
}

void ToolBar::cn_notify(NMHDR& header, Message& m) {
    m.result = 0;
    if (header.code == static_cast<UINT>(TBN_DROPDOWN)) {
        auto& n = reinterpret_cast<NMTOOLBARW&>(header);
        ToolButton* b = find_button(n.iItem);
        if (b && b->drop_down_menu()) {
            POINT p = b->client_to_screen(POINT{0, b->height()});
            b->drop_down_menu()->set_popup_component(b);
            b->drop_down_menu()->popup(p.x, p.y);
        }
        m.result = TBDDRET_DEFAULT;
    }
}

void ToolBar::notification(Component* c, TOperation op) {
    WinControl::notification(c, op);
    if (op == TOperation::opRemove && c == images_) {
        images_ = nullptr;
        update_buttons();
    }
}

} // namespace ui
