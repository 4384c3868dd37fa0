// The send-message component: its lists and references, a held mail session ended on the way
// out, and a failing log-off reported instead of thrown.
#include <gtest/gtest.h>

#include "controls/ec_snd_msg.h"
#include "controls/register_control_set.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/timer.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

// A message that holds a session, as a log-on elsewhere would have left it.
class HeldMessage : public TEcSendMessage {
public:
    HeldMessage(ui::Component* owner, std::uintptr_t session) : TEcSendMessage(owner) { session_ = session; }
};

class EcSendMessage : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
    }
    void TearDown() override { set_mapi_logoff(nullptr); }
};

TEST_F(EcSendMessage, EndsAHeldSessionAndReportsAFailingLogOff) {
    std::vector<std::uintptr_t> logged_off;
    unsigned long result = 0;
    set_mapi_logoff([&](std::uintptr_t session) {
        logged_off.push_back(session);
        return result;
    });
    {
        TEcSendMessage idle(nullptr);  // no session: the mail client is never asked
    }
    EXPECT_TRUE(logged_off.empty());
    {
        HeldMessage held(nullptr, 0x5151);
        held.to_recipients().add("ops@example.invalid");
    }
    EXPECT_EQ(logged_off, (std::vector<std::uintptr_t>{0x5151}));
    EXPECT_TRUE(window_test::errors().empty());

    // Freed with its owner: a failing log-off is reported and the owner's destruction completes.
    result = 3;
    bool owner_gone = false;
    {
        ui::Form owner(nullptr);
        new HeldMessage(&owner, 7);
        auto* after = new ui::Timer(&owner);
        after->on_timer = [&](ui::Component*) {};
        owner_gone = true;
    }
    EXPECT_TRUE(owner_gone);
    EXPECT_EQ(logged_off, (std::vector<std::uintptr_t>{0x5151, 7}));
    ASSERT_EQ(window_test::errors().size(), 1u);
    EXPECT_EQ(window_test::errors().front(), "MAPI: Login Failure. ErrorCode = 3");
    window_test::errors().clear();
}

TEST_F(EcSendMessage, FailuresReachTheHandler) {
    unsigned long result = 0;
    set_mapi_logoff([&](std::uintptr_t) { return result; });
    const std::pair<unsigned long, const char*> failures[] = {
        {19, "MAPI: Invalid Session. ErrorCode = 19"},
        {1, "User Abort"},
        {99, "MAPI: Unknown Error. ErrorCode = 99"},
    };
    for (const auto& [code, message] : failures) {
        window_test::errors().clear();
        result = code;
        auto* held = new HeldMessage(nullptr, 7);
        held->attachments().add("a.wav");
        EXPECT_NO_THROW(delete held);
        ASSERT_EQ(window_test::errors().size(), 1u) << code;
        EXPECT_NE(window_test::errors().front().find(message), std::string::npos) << window_test::errors().front();
    }
    window_test::errors().clear();
}

TEST_F(EcSendMessage, ListsReferencesAndDescriptions) {
    ui::Form form(nullptr);
    form.set_name("Form1");
    auto* memo = new ui::Memo(&form);
    memo->set_name("memoText");
    memo->set_parent(&form);
    auto* edit = new ui::Edit(&form);
    edit->set_name("editSubject");
    edit->set_parent(&form);
    auto* mail = new TEcSendMessage(&form);
    mail->set_name("SendMessage1");
    ui::StringList given({"a@example.invalid", "b@example.invalid"});
    mail->set_to_recipients(given);
    given.clear();
    EXPECT_EQ(mail->to_recipients().count(), 2);  // a copy, not the given list
    mail->set_subject("Call 12");
    mail->set_review(false);
    mail->set_message_memo(memo);
    mail->set_subject_edit(edit);
    const std::string text = ui::write_description(form);
    EXPECT_NE(text.find("Review = False"), std::string::npos) << text;
    EXPECT_NE(text.find("MessageMemo = memoText"), std::string::npos) << text;
    EXPECT_NE(text.find("ToRecipients.Strings = ("), std::string::npos) << text;
    EXPECT_EQ(text.find("ResolveNames"), std::string::npos) << text;

    ui::Form again(nullptr);
    ui::read_description(again, text);
    EXPECT_EQ(ui::write_description(again), text);
    auto* read = dynamic_cast<TEcSendMessage*>(again.find_component("SendMessage1"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->to_recipients().to_vector(),
              (std::vector<std::string>{"a@example.invalid", "b@example.invalid"}));
    EXPECT_EQ(read->subject_edit(), again.find_component("editSubject"));

    // A referenced control that goes away leaves no dangling reference.
    delete memo;
    EXPECT_EQ(mail->message_memo(), nullptr);
    delete edit;
    EXPECT_EQ(mail->subject_edit(), nullptr);
}

} // namespace
