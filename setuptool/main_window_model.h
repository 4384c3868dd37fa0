// The main window without its window: the device rows, the status bar texts and what the menu
// commands do. Lives on the window thread; replies reach it through add_device and
// result_message, called there on the receiver thread's behalf. Texts are GBK.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "setuptool/address_dialog_model.h"
#include "setuptool/device_reply.h"
#include "setuptool/discovery_socket.h"
#include "setuptool/search_probe.h"
#include "setuptool/web_page.h"

namespace kesto {

struct ListColumn {
    const char* title;  // GBK
    int width;          // 0: the list's default width
};
// The list's columns in order; each row also keeps the decimal MAC, which has no column.
const std::vector<ListColumn>& device_list_columns();

class MainWindowModel {
public:
    MainWindowModel(PacketSender& sender, TokenSource& tokens, SearchState& search, WebPageOpener& web);

    // The port the socket got, 0 when none of 3101..3300 could be bound.
    void set_bound_port(std::uint16_t port) { port_ = port; }
    std::string port_panel_text() const;
    std::string count_panel_text() const;

    struct Row {
        std::string number;  // the row's caption: rows before it plus 1
        DeviceRow device;
    };
    const std::vector<Row>& rows() const { return rows_; }
    // The row's texts in column order.
    std::vector<std::string> row_texts(std::size_t index) const;

    // Empties the list and probes with a new token; false when the probe could not be sent.
    bool refresh();
    void add_device(const DeviceRow& device);
    // The message box text of a set-address result; nullopt for codes without one.
    static std::optional<std::string> result_message(int code);

    // Puts the selected row's addresses into the dialog's edits; false when nothing is selected.
    bool fill_address_dialog(std::optional<std::size_t> selected, AddressDialogModel& dialog) const;

    struct SetAddressOutcome {
        bool sent = false;
        std::string error;  // the conversion error to show; nothing was sent
    };
    // After the dialog closed with OK: builds and broadcasts the command once.
    SetAddressOutcome send_set_address(std::size_t selected, const AddressDialogModel& dialog);

    // Opens "http://" + the selected row's IP address; false when nothing is selected.
    bool open_device_page(std::optional<std::size_t> selected);

private:
    bool valid(std::optional<std::size_t> selected) const { return selected && *selected < rows_.size(); }

    PacketSender& sender_;
    TokenSource& tokens_;
    SearchState& search_;
    WebPageOpener& web_;
    std::uint16_t port_ = 0;
    std::vector<Row> rows_;
};

} // namespace kesto
