#include "npc/reward_commit.h"

#include "actors/player.h"
#include "items/player_record.h"
#include "items/save_alert.h"
#include "formats/save_file.h"
#include "items/save_journal.h"
#include "formats/npc_files.h"
#include "platform/files.h"

namespace velk {

bool commitReward(const CPlayer& hero, int32_t map, const std::vector<int8_t>& states) {
    std::string why = "the save is held back (a damaged save, or an interrupted save not yet finished)";
    if (hero.origin() != SaveOrigin::DamagedSave &&
        commitSavedFiles({{kSaveFileName, playerRecordText(hero, map)}, {missionStateName(map), missionStateText(states)}},
                         &why))
        return true;
    tellSaveFailure("cannot save the reward (" + savePath(kSaveFileName) + ", " + savePath(missionStateName(map)) +
                        "): " + why + "; the reward is not given and stays offered",
                    "보상을 저장하지 못했습니다.", "보상은 다시 받을 수 있습니다.");
    return false;
}

}  // namespace velk
