// A described mail message for the system's mail client: recipients, subject, text and
// attachments. This program never logs on to a mail client; the component only ends a session
// it holds when it goes away.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "controls/model/mapi_errors.h"
#include "platform/ui/component.h"
#include "platform/ui/string_list.h"
#include "platform/ui/win/std_controls.h"

namespace ec {

// Ends a mail session; the mail client's result code. The default is looked up in the mail
// client library on first use and answers "General Failure" (2) when it is missing.
using MapiLogoff = std::function<unsigned long(std::uintptr_t session)>;
void set_mapi_logoff(MapiLogoff logoff);  // nullptr: the mail client library again

class TEcSendMessage : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    explicit TEcSendMessage(ui::Component* owner);
    // Never throws: a failing log-off goes to the application's error handler.
    ~TEcSendMessage() override;

    ui::StringList& attachments() { return attachments_; }
    void set_attachments(const ui::Strings& v) { attachments_.assign(v); }
    ui::StringList& to_recipients() { return to_; }
    void set_to_recipients(const ui::Strings& v) { to_.assign(v); }
    ui::StringList& cc_recipients() { return cc_; }
    void set_cc_recipients(const ui::Strings& v) { cc_.assign(v); }
    ui::StringList& bcc_recipients() { return bcc_; }
    void set_bcc_recipients(const ui::Strings& v) { bcc_.assign(v); }
    ui::StringList& message_text() { return text_; }
    void set_message_text(const ui::Strings& v) { text_.assign(v); }

    ui::Memo* message_memo() const { return memo_; }
    void set_message_memo(ui::Memo* v);
    ui::Edit* subject_edit() const { return subject_edit_; }
    void set_subject_edit(ui::Edit* v);

    const std::string& subject() const { return subject_; }
    void set_subject(const std::string& v) { subject_ = v; }
    const std::string& profile_name() const { return profile_name_; }
    void set_profile_name(const std::string& v) { profile_name_ = v; }
    const std::string& password() const { return password_; }
    void set_password(const std::string& v) { password_ = v; }
    bool review() const { return review_; }
    void set_review(bool v) { review_ = v; }
    bool resolve_names() const { return resolve_names_; }
    void set_resolve_names(bool v) { resolve_names_ = v; }

protected:
    void notification(ui::Component* component, ui::TOperation operation) override;

    std::uintptr_t session_ = 0;  // the held mail session, 0 when none

private:
    template <class T>
    void refer(T*& field, T* value);

    ui::StringList attachments_, to_, cc_, bcc_, text_;
    ui::Memo* memo_ = nullptr;
    ui::Edit* subject_edit_ = nullptr;
    std::string subject_, profile_name_, password_;
    bool review_ = true;
    bool resolve_names_ = true;
};

} // namespace ec
