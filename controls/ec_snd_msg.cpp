#include "controls/ec_snd_msg.h"

#include <windows.h>

#include "platform/ui/win/application.h"

namespace ec {

using ui::PropBuilder;
using ui::PropKind;

namespace {

constexpr unsigned long kGeneralFailure = 2;

using LogoffEntry = ULONG(WINAPI*)(ULONG_PTR session, ULONG_PTR ui_param, ULONG flags, ULONG reserved);

unsigned long library_logoff(std::uintptr_t session) {
    // Loaded once and kept: the mail client may hold state for the process's sessions.
    static const LogoffEntry entry = [] {
        HMODULE mapi = LoadLibraryW(L"mapi32.dll");
        return mapi ? reinterpret_cast<LogoffEntry>(reinterpret_cast<void*>(GetProcAddress(mapi, "MAPILogoff")))
                    : nullptr;
    }();
    return entry ? entry(session, 0, 0, 0) : kGeneralFailure;
}

MapiLogoff& logoff_seam() {
    static MapiLogoff seam;
    return seam;
}

} // namespace

void set_mapi_logoff(MapiLogoff logoff) { logoff_seam() = std::move(logoff); }

ui::ClassInfo& TEcSendMessage::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcSendMessage", &Component::static_class());
        c.factory = ui::factory_of<TEcSendMessage>();
        PropBuilder<TEcSendMessage>(c)
            .object("Attachments", PropKind::StringList, "TStrings",
                    [](TEcSendMessage& m) -> ui::Persistent* { return &m.attachments_; })
            .object("BccRecipients", PropKind::StringList, "TStrings",
                    [](TEcSendMessage& m) -> ui::Persistent* { return &m.bcc_; })
            .object("CcRecipients", PropKind::StringList, "TStrings",
                    [](TEcSendMessage& m) -> ui::Persistent* { return &m.cc_; })
            .reference<ui::Memo>("MessageMemo", "TCustomMemo", &TEcSendMessage::message_memo,
                                 &TEcSendMessage::set_message_memo)
            .object("MessageText", PropKind::StringList, "TStrings",
                    [](TEcSendMessage& m) -> ui::Persistent* { return &m.text_; })
            .string("Password", &TEcSendMessage::password, &TEcSendMessage::set_password)
            .string("ProfileName", &TEcSendMessage::profile_name, &TEcSendMessage::set_profile_name)
            .boolean("ResolveNames", &TEcSendMessage::resolve_names, &TEcSendMessage::set_resolve_names, true)
            .boolean("Review", &TEcSendMessage::review, &TEcSendMessage::set_review, true)
            .string("Subject", &TEcSendMessage::subject, &TEcSendMessage::set_subject)
            .reference<ui::Edit>("SubjectEdit", "TCustomEdit", &TEcSendMessage::subject_edit,
                                 &TEcSendMessage::set_subject_edit)
            .object("ToRecipients", PropKind::StringList, "TStrings",
                    [](TEcSendMessage& m) -> ui::Persistent* { return &m.to_; });
        return c;
    }();
    return info;
}

TEcSendMessage::TEcSendMessage(ui::Component* owner) : Component(owner) {}

TEcSendMessage::~TEcSendMessage() {
    release_owned();
    if (session_ == 0) return;
    const std::uintptr_t session = session_;
    session_ = 0;
    try {
        const MapiLogoff& seam = logoff_seam();
        const unsigned long code = seam ? seam(session) : library_logoff(session);
        raise_mapi_error(code > 0x7FFFFFFFul ? 0x7FFFFFFF : static_cast<int>(code));
    } catch (...) {
        // An error leaving a destructor would end the program; the user hears of it instead.
        ui::application().handle_exception(std::current_exception());
    }
}

template <class T>
void TEcSendMessage::refer(T*& field, T* value) {
    if (field == value) return;
    if (field) field->remove_free_notification(this);
    field = value;
    if (field) field->free_notification(this);
}

void TEcSendMessage::set_message_memo(ui::Memo* v) { refer(memo_, v); }
void TEcSendMessage::set_subject_edit(ui::Edit* v) { refer(subject_edit_, v); }

void TEcSendMessage::notification(ui::Component* component, ui::TOperation operation) {
    Component::notification(component, operation);
    if (operation != ui::TOperation::opRemove) return;
    if (component == memo_) memo_ = nullptr;
    if (component == subject_edit_) subject_edit_ = nullptr;
}

} // namespace ec
