#include "setuptool/main_window_model.h"

#include "platform/clock.h"
#include "setuptool/kesto_texts.h"

namespace kesto {

const std::vector<ListColumn>& device_list_columns() {
    static const std::vector<ListColumn> columns = {
        {"\xD0\xF2\xBA\xC5", 0},                          // 序号
        {"IP \xB5\xD8\xD6\xB7", 100},                     // IP 地址
        {"\xD7\xD3\xCD\xF8\xD1\xDA\xC2\xEB", 100},         // 子网掩码
        {"\xC4\xAC\xC8\xCF\xCD\xF8\xB9\xD8", 110},         // 默认网关
        {"MAC \xB5\xD8\xD6\xB7", 130},                    // MAC 地址
        {"\xD3\xB2\xBC\xFE\xD0\xF2\xC1\xD0\xBA\xC5", 140}, // 硬件序列号
        {"\xCF\xDF\xCA\xFD", 80},                         // 线数
        {"\xB9\xCC\xBC\xFE\xB0\xE6\xB1\xBE", 100},         // 固件版本
        {"\xCA\xB1\xD1\xD3", 110},                        // 时延
    };
    return columns;
}

MainWindowModel::MainWindowModel(PacketSender& sender, TokenSource& tokens, SearchState& search,
                                 WebPageOpener& web)
    : sender_(sender), tokens_(tokens), search_(search), web_(web) {}

std::string MainWindowModel::port_panel_text() const {
    if (port_ == 0) return text::kPortBindFailed;
    return text::kPortInUsePrefix + std::to_string(port_);
}

std::string MainWindowModel::count_panel_text() const {
    return text::kDeviceCountPrefix + std::to_string(rows_.size());
}

std::vector<std::string> MainWindowModel::row_texts(std::size_t index) const {
    const Row& row = rows_.at(index);
    const DeviceRow& d = row.device;
    return {row.number, d.ip, d.mask, d.gateway, d.mac, d.serial, d.line_count, d.firmware, d.delay};
}

bool MainWindowModel::refresh() {
    rows_.clear();
    std::uint8_t token = tokens_.next_token();
    auto probe = build_probe(token);
    // The token is in place before the probe leaves, so that no answer can beat it.
    search_.begin(token, plat::tick_ms());
    return sender_.broadcast(probe.data(), probe.size());
}

void MainWindowModel::add_device(const DeviceRow& device) {
    rows_.push_back({std::to_string(rows_.size() + 1), device});
}

std::optional<std::string> MainWindowModel::result_message(int code) {
    switch (code) {
    case kResultSuccess: return std::string(text::kResultSuccess);
    case kResultNoUser: return std::string(text::kResultNoUser);
    case kResultBadPassword: return std::string(text::kResultBadPassword);
    default: return std::nullopt;
    }
}

bool MainWindowModel::fill_address_dialog(std::optional<std::size_t> selected,
                                          AddressDialogModel& dialog) const {
    if (!valid(selected)) return false;
    const DeviceRow& d = rows_[*selected].device;
    dialog.ip = d.ip;
    dialog.mask = d.mask;
    dialog.gateway = d.gateway;
    return true;
}

MainWindowModel::SetAddressOutcome MainWindowModel::send_set_address(std::size_t selected,
                                                                     const AddressDialogModel& dialog) {
    SetAddressOutcome outcome;
    if (!valid(selected)) return outcome;
    auto built = build_set_address(dialog.input_for(rows_[selected].device.mac_decimal));
    if (auto* error = std::get_if<ConversionError>(&built)) {
        outcome.error = error->message;
        return outcome;
    }
    const SetIpBytes& bytes = std::get<SetIpBytes>(built);
    outcome.sent = sender_.broadcast(bytes.data(), bytes.size());
    return outcome;
}

bool MainWindowModel::open_device_page(std::optional<std::size_t> selected) {
    if (!valid(selected)) return false;
    return web_.open("http://" + rows_[*selected].device.ip);
}

} // namespace kesto
