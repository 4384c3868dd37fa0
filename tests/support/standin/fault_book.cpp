#include "tests/support/standin/fault_book.h"

namespace standin {

bool FaultBook::matches(const FaultRule& r, Fault fault, int a, int b, int c) {
    if (r.fault != fault || r.times == 0) return false;
    auto fits = [](int want, int have) { return want == -1 || have == -1 || want == have; };
    return fits(r.a, a) && fits(r.b, b) && fits(r.c, c);
}

const FaultRule* FaultBook::take(Fault fault, int a, int b, int c) {
    for (auto it = rules_.begin(); it != rules_.end(); ++it) {
        if (!matches(*it, fault, a, b, c)) continue;
        taken_ = *it;
        if (it->times > 0 && --it->times == 0) rules_.erase(it);
        return &taken_;
    }
    return nullptr;
}

const FaultRule* FaultBook::peek(Fault fault, int a, int b, int c) const {
    for (const auto& r : rules_)
        if (matches(r, fault, a, b, c)) return &r;
    return nullptr;
}

namespace {
FaultRule rule(Fault f, int times, int a = -1, int b = -1, int c = -1) {
    FaultRule r;
    r.fault = f;
    r.times = times;
    r.a = a;
    r.b = b;
    r.c = c;
    return r;
}
}  // namespace

FaultRule FaultRule::drop_response(int type, int times) {
    return rule(Fault::DropResponse, times, type);
}
FaultRule FaultRule::duplicate_response(int type, int times) {
    return rule(Fault::DuplicateResponse, times, type);
}
FaultRule FaultRule::jump_sequence(int amount, int times) {
    FaultRule r = rule(Fault::JumpSequence, times);
    r.value = amount;
    return r;
}
FaultRule FaultRule::restart_sequence(int value, int times) {
    FaultRule r = rule(Fault::RestartSequence, times);
    r.value = value;
    return r;
}
FaultRule FaultRule::silence(int times) { return rule(Fault::SilenceAll, times); }
FaultRule FaultRule::silence_heartbeats(int times) {
    return rule(Fault::SilenceHeartbeats, times);
}
FaultRule FaultRule::refuse_login(int cause, int times) {
    FaultRule r = rule(Fault::RefuseLogin, times);
    r.value = cause;
    return r;
}
FaultRule FaultRule::drop_data_packet(int offset, int window, int attempt, int times) {
    return rule(Fault::DropDataPacket, times, offset, window, attempt);
}
FaultRule FaultRule::drop_data_fraction(double fraction, std::uint32_t seed, int times) {
    FaultRule r = rule(Fault::DropDataFraction, times);
    r.fraction = fraction;
    r.seed = seed;
    return r;
}
FaultRule FaultRule::duplicate_window(int window, int times) {
    return rule(Fault::DuplicateWindow, times, -1, window);
}
FaultRule FaultRule::reverse_window(int window, int times) {
    return rule(Fault::ReverseWindow, times, -1, window);
}
FaultRule FaultRule::shuffle_window(std::uint32_t seed, int window, int times) {
    FaultRule r = rule(Fault::ShuffleWindow, times, -1, window);
    r.seed = seed;
    return r;
}
FaultRule FaultRule::early_window_end(int held_back, int window, int times) {
    FaultRule r = rule(Fault::EarlyWindowEnd, times, -1, window);
    r.value = held_back;
    return r;
}
FaultRule FaultRule::silence_after_window(int window, int times) {
    return rule(Fault::SilenceAfterWindow, times, -1, window);
}
FaultRule FaultRule::refuse_request(int times) { return rule(Fault::RefuseRequest, times); }
FaultRule FaultRule::transfer_end_failure(int times) {
    return rule(Fault::TransferEndFailure, times);
}
FaultRule FaultRule::wrong_transfer_id(int delta, int window, int times) {
    FaultRule r = rule(Fault::WrongTransferId, times, -1, window);
    r.value = delta;
    return r;
}
FaultRule FaultRule::packet_outside_window(int window, int times) {
    return rule(Fault::PacketOutsideWindow, times, -1, window);
}
FaultRule FaultRule::packet_past_end(int times) { return rule(Fault::PacketPastEnd, times); }
FaultRule FaultRule::data_length(int length, int window, int times) {
    FaultRule r = rule(Fault::DataLength, times, -1, window);
    r.value = length;
    return r;
}
FaultRule FaultRule::silence_during_query(int times) {
    return rule(Fault::SilenceDuringQuery, times);
}

}  // namespace standin
