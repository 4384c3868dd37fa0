// The playback and properties texts the search view takes from the language file, with their
// built-in defaults (the station's own text table does not carry them).
#pragma once
#include <functional>
#include <string>

namespace station {

// The language file's text of a key; empty when it has none.
using LanguageLookup = std::function<std::string(const std::string& key)>;

// GBK text of one of: Msg.Play, Msg.PlayPaused, Msg.StopPlaying, Msg.SetMute, Msg.CancelMute,
// Msg.ShowElapsedTime, Msg.ShowOccurTime, Msg.Unknown. Empty for any other key.
std::string SearchViewText(const std::string& key, const LanguageLookup& language);

} // namespace station
