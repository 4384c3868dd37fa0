#include "station/core/database/database_start_report.h"

namespace calldb {

DatabaseStartReport DatabaseStartMessage(const CallLogDatabaseCheck& check, const station::StationTexts& texts) {
    using State = CallLogDatabaseCheck::State;
    if (check.state == State::Usable) return {};
    const bool damaged = check.state == State::Damaged;
    return {texts.Get(damaged ? "Msg.DatabaseDamaged" : "Msg.DatabaseCannotOpen"),
            texts.Format(damaged ? "Log.DatabaseDamaged" : "Log.DatabaseCannotOpen", {check.database, check.pending_file})};
}

} // namespace calldb
