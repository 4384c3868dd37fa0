#include "station/core/search/search_texts.h"

#include <iterator>

#include "station/core/gbk_literal.h"

namespace station {
namespace {

struct Default {
    const char* key;
    const char* utf8;
};

constexpr Default kDefaults[] = {
    {"Msg.Play", u8"播放选中的录音文件"},
    {"Msg.PlayPaused", u8"播放暂停的录音文件"},
    {"Msg.StopPlaying", u8"停止播放"},
    {"Msg.SetMute", u8"设置成静音"},
    {"Msg.CancelMute", u8"取消静音"},
    {"Msg.ShowElapsedTime", u8"显示已播放的时间"},
    {"Msg.ShowOccurTime", u8"显示录音当时的时刻"},
    {"Msg.Unknown", u8"未知"},
};

} // namespace

std::string SearchViewText(const std::string& key, const LanguageLookup& language) {
    for (const Default& d : kDefaults) {
        if (key != d.key) continue;
        std::string text = language ? language(key) : std::string();
        return text.empty() ? Gbk(d.utf8) : text;
    }
    return {};
}

} // namespace station
