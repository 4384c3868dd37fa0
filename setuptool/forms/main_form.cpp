#include "setuptool/forms/main_form.h"

#include <stdexcept>
#include <string>

#include "platform/ui/description_reader.h"
#include "skin/win/skin_data.h"

namespace kesto {
namespace {

constexpr UINT kWmReply = WM_APP + 0x4B;  // wparam: which reply; lparam: its payload
constexpr WPARAM kReplyDevice = 1;
constexpr WPARAM kReplyResult = 2;
constexpr int kPortPanel = 0;
constexpr int kCountPanel = 1;

// Serves only messages sent from other threads, so that a receiver waiting on the window
// thread is released without running anything else of the window while it closes.
void serve_sent_messages() {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

template <class T> T* part(ui::Component& root, const char* name) {
    auto* control = dynamic_cast<T*>(root.find_component(name));
    if (!control) throw std::logic_error(std::string("main window description lacks ") + name);
    return control;
}

} // namespace

MainForm::MainForm(IPAddrForm& dialog, const SessionOptions& options, WebPageOpener& web, UserMessages& messages,
                   const wchar_t* description)
    : ui::Form(nullptr), dialog_(dialog), messages_(messages), session_(options, *this, web) {
    register_method("FormShow", this, &MainForm::form_show);
    register_method("FormClose", this, &MainForm::form_close);
    register_method("NodeRefreshClick", this, &MainForm::node_refresh_click);
    register_method("NodeExitClick", this, &MainForm::node_exit_click);
    register_method("NodeIPAddressClick", this, &MainForm::node_ip_address_click);
    register_method("NodeDeviceSettingsClick", this, &MainForm::node_device_settings_click);
    on_message(kWmReply, [this](ui::Message& m) { take_reply(m); });
    // The description carries the skin component with the stored skin.
    ui::register_class(skin::TSkinData::static_class());
    load_resource(description);
    lv_dev_ = part<ui::ListView>(*this, "lvDev");
    status_bar_ = part<ui::StatusBar>(*this, "StatusBar1");
}

MainForm::~MainForm() { stop_receiver(); }

void MainForm::stop_receiver() {
    session_.close(serve_sent_messages);
    window_.store(nullptr);
}

void MainForm::form_show(ui::Component*) {
    window_.store(handle());
    session_.show();
    status_bar_->panels().at(kPortPanel)->set_text(model().port_panel_text());
}

void MainForm::form_close(ui::Component*, ui::TCloseAction&) { stop_receiver(); }

void MainForm::node_refresh_click(ui::Component*) {
    lv_dev_->clear();
    model().refresh();
    update_device_count();
}

void MainForm::node_exit_click(ui::Component*) { close(); }

void MainForm::node_ip_address_click(ui::Component*) {
    std::optional<std::size_t> row = selected_row();
    AddressDialogModel addresses;
    if (!model().fill_address_dialog(row, addresses)) return;
    dialog_.set_addresses(addresses);
    if (dialog_.show_modal() != ui::mrOk) return;
    MainWindowModel::SetAddressOutcome outcome = model().send_set_address(*row, dialog_.values());
    if (!outcome.error.empty()) messages_.show(outcome.error);
}

void MainForm::node_device_settings_click(ui::Component*) { model().open_device_page(selected_row()); }

void MainForm::device_found(const DeviceRow& row) { hand_over(kReplyDevice, &row); }

void MainForm::set_result(int code) { hand_over(kReplyResult, &code); }

void MainForm::hand_over(WPARAM kind, const void* payload) {
    // A window that is gone answers at once; the reply is then dropped with it.
    if (HWND window = window_.load())
        SendMessageW(window, kWmReply, kind, reinterpret_cast<LPARAM>(payload));
}

void MainForm::take_reply(ui::Message& m) {
    if (m.wparam == kReplyDevice) add_device(*reinterpret_cast<const DeviceRow*>(m.lparam));
    else if (m.wparam == kReplyResult) show_set_result(*reinterpret_cast<const int*>(m.lparam));
    m.result = 0;
}

void MainForm::add_device(const DeviceRow& row) {
    model().add_device(row);
    std::vector<std::string> texts = model().row_texts(model().rows().size() - 1);
    ui::ListItem* item = lv_dev_->add_item();
    item->set_caption(texts[0]);
    for (std::size_t i = 1; i < texts.size(); ++i) item->sub_items().add(texts[i]);
    // The hidden tenth sub-item, as the list has always kept it.
    item->sub_items().add(row.mac_decimal);
    update_device_count();
}

void MainForm::show_set_result(int code) {
    if (auto message = MainWindowModel::result_message(code)) messages_.show(*message);
}

void MainForm::update_device_count() {
    status_bar_->panels().at(kCountPanel)->set_text(model().count_panel_text());
}

std::optional<std::size_t> MainForm::selected_row() const {
    int index = lv_dev_->selected_index();
    if (index < 0) return std::nullopt;
    return static_cast<std::size_t>(index);
}

} // namespace kesto
