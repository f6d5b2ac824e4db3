#include "content/talk_source.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "content/npc_writer.h"
#include "formats/item_slot.h"
#include "platform/cp949.h"
#include "platform/trim.h"

namespace velk {

namespace {

struct Failure {
    std::string message;
};

[[noreturn]] void fail(const std::string& message) { throw Failure{message}; }

int32_t toInt(const std::string& word, int32_t low, int32_t high, const char* what) {
    size_t used = 0;
    long long v = 0;
    try {
        v = std::stoll(word, &used);
    } catch (...) {
        used = 0;
    }
    if (used == 0 || used != word.size()) fail(std::string("bad ") + what + " '" + word + "'");
    if (v < low || v > high)
        fail(std::string(what) + " " + word + " out of range " + std::to_string(low) + ".." +
             std::to_string(high));
    return int32_t(v);
}

std::string cp949Of(const std::string& utf8) {
    std::string bytes = toCp949(utf8);
    if (toUtf8(bytes) != utf8) fail("text that CP949 cannot hold: " + utf8);
    return bytes;
}

// One talk block being read.
struct Block {
    int32_t state = 0;
    int32_t number = 0;
    TalkFile talk;
    bool hasText = false, hasShop = false, hasCheck = false;
    bool rewardAction = false;
    std::vector<int32_t> goods;
    TalkCondition condition;
};

class Compiler {
public:
    Compiler(std::map<std::string, std::string>& files, const ItemTables* items) : files_(files), items_(items) {}

    void source(const TalkSource& src) {
        std::istringstream in(src.text);
        lines_.clear();
        for (std::string line; std::getline(in, line);) lines_.push_back(line);
        mapNumber_ = -1;
        npcs_.clear();
        names_.clear();
        open_ = false;
        for (lineNo_ = 0; lineNo_ < lines_.size(); ++lineNo_) {
            try {
                statement();
            } catch (const Failure& f) {
                throw Failure{src.name + ":" + std::to_string(lineNo_ + 1) + ": " + f.message};
            }
        }
        try {
            finishBlock();
        } catch (const Failure& f) {
            throw Failure{src.name + ":" + std::to_string(lineNo_ + 1) + ": " + f.message};
        }
        if (mapNumber_ >= 0) {
            files_[npcPositionFileName(mapNumber_)] = npcPositionText(npcs_);
            std::string states;
            for (size_t i = 0; i < npcs_.size(); ++i) states += "0\n";
            files_[missionStateFileName(mapNumber_)] = states;
            // Only a map whose people are named gets a name file.
            if (std::any_of(names_.begin(), names_.end(), [](const std::string& n) { return !n.empty(); })) {
                std::string lines;
                for (const std::string& n : names_) lines += n + "\n";
                files_[npcNameFileName(mapNumber_)] = lines;
            }
        }
    }

private:
    void statement() {
        std::string line = lines_[lineNo_];
        line = trim(line.substr(0, line.find('#')));
        if (line.empty()) return;
        std::istringstream in(line);
        std::vector<std::string> w;
        for (std::string word; in >> word;) w.push_back(word);
        // Other blanks (a vertical tab, a form feed) make a blank line too.
        if (w.empty()) return;
        const std::string& key = w[0];
        if (key == "map") {
            need(w, 2, "map NUMBER");
            if (mapNumber_ >= 0) fail("a source holds the NPCs of one map");
            mapNumber_ = toInt(w[1], 0, 1000000, "map number");
            if (!maps_.insert(mapNumber_).second) fail("map " + w[1] + " has NPCs in another source");
        } else if (key == "npc") {
            const char* form = "npc TALK look ROW at X Y [name NAME]";
            if (w.size() != 7 && !(w.size() >= 9 && w[7] == "name")) fail(std::string("expected: ") + form);
            if (w[2] != "look" || w[4] != "at") fail(std::string("expected: ") + form);
            if (mapNumber_ < 0) fail("npc before map");
            if (int32_t(npcs_.size()) == kMaxNpcs) fail("too many NPCs on one map");
            NpcRecord r;
            r.talkNumber = toInt(w[1], 0, kMaxTalkNumber, "talk number");
            r.animRow = toInt(w[3], 0, kMaxNpcAnimRow, "look");
            r.x = toInt(w[5], -131072, 131072, "x");
            r.y = toInt(w[6], -131072, 131072, "y");
            npcs_.push_back(r);
            std::string name;
            for (size_t i = 8; i < w.size(); ++i) name += (i > 8 ? " " : "") + w[i];
            name = cp949Of(name);
            if (name.size() > kMaxNpcNameBytes)
                fail("name " + w[8] + " is longer than " + std::to_string(kMaxNpcNameBytes) + " bytes of CP949");
            names_.push_back(name);
        } else if (key == "talk") {
            finishBlock();
            if (w.size() != 2 && !(w.size() == 4 && w[2] == "state")) fail("expected: talk NUMBER [state S]");
            block_ = Block{};
            block_.number = toInt(w[1], 0, kMaxTalkNumber, "talk number");
            if (w.size() == 4) block_.state = toInt(w[3], 0, 127, "state");
            if (!talks_.insert({block_.state, block_.number}).second)
                fail("talk " + w[1] + " state " + std::to_string(block_.state) + " is written twice");
            open_ = true;
            blockLine_ = lineNo_;
        } else {
            if (!open_) fail("'" + key + "' outside a talk block");
            blockStatement(w);
        }
    }

    static void need(const std::vector<std::string>& w, size_t n, const char* form) {
        if (w.size() != n) fail(std::string("expected: ") + form);
    }

    void blockStatement(const std::vector<std::string>& w) {
        const std::string& key = w[0];
        TalkFile& t = block_.talk;
        if (key == "pages") {
            need(w, 2, "pages none|next|both|previous");
            static const std::map<std::string, int32_t> modes = {{"none", 0}, {"next", 1}, {"both", 2}, {"previous", 3}};
            auto it = modes.find(w[1]);
            if (it == modes.end()) fail("pages: none, next, both or previous");
            t.pageMode = it->second;
        } else if (key == "buttons") {
            need(w, 2, "buttons ok|choose|none");
            static const std::map<std::string, int32_t> modes = {{"ok", 0}, {"choose", 1}, {"none", 2}};
            auto it = modes.find(w[1]);
            if (it == modes.end()) fail("buttons: ok, choose or none");
            t.bottomMode = it->second;
        } else if (key == "action") {
            action(w);
        } else if (key == "reward") {
            reward(w);
        } else if (key == "text") {
            need(w, 1, "text, then the lines, then end");
            if (block_.hasText) fail("a talk has one text");
            block_.hasText = true;
            text();
        } else if (key == "shop") {
            if (w.size() < 2 || (w[1] != "weapon" && w[1] != "energy")) fail("expected: shop weapon|energy ITEM...");
            block_.hasShop = true;
            t.kind = TalkFile::Kind::Shop;
            t.shopKind = w[1] == "weapon" ? kShopKindWeapon : kShopKindEnergy;
            if (w.size() - 2 > size_t(kMaxShopGoods)) fail("too many goods");
            for (size_t i = 2; i < w.size(); ++i) block_.goods.push_back(toInt(w[i], 0, 1000, "item index"));
        } else if (key == "check") {
            check(w);
        } else {
            fail("unknown statement '" + key + "'");
        }
    }

    void action(const std::vector<std::string>& w) {
        TalkFile& t = block_.talk;
        if (w.size() < 2) fail("expected: action KIND ...");
        const std::string& kind = w[1];
        if (kind == "none") {
            need(w, 2, "action none");
            t.actionCode = kActionNone;
            t.actionValue = 0;
        } else if (kind == "travel") {
            need(w, 3, "action travel MAP");
            t.actionCode = kActionTravel;
            t.actionValue = toInt(w[2], 0, 1000000, "map") - 1;  // the map change adds 1
        } else if (kind == "fee") {
            need(w, 4, "action fee MAP PRICE");
            t.actionCode = toInt(w[2], -127, kActionLastFeeTravel + 1, "map") - 1;
            t.actionValue = toInt(w[3], 0, 100000000, "price");
        } else if (kind == "quest") {
            need(w, 3, "action quest MAP");
            t.actionCode = kActionQuest;
            t.actionValue = toInt(w[2], 0, 1000000, "map");  // the run's first map
        } else if (kind == "pet") {
            need(w, 3, "action pet PRICE");
            t.actionCode = kActionPet;
            t.actionValue = toInt(w[2], 0, 100000000, "price");
        } else if (kind == "reward") {
            need(w, 2, "action reward");
            t.actionCode = kActionRewards;
            block_.rewardAction = true;
        } else {
            fail("action: none, travel, fee, quest, pet or reward");
        }
        hasAction_ = true;
    }

    void reward(const std::vector<std::string>& w) {
        TalkReward r;
        if (w.size() == 4 && w[1] == "item") {
            r = {kRewardItem, toInt(w[2], 0, 52, "slot"), toInt(w[3], 0, 1000, "icon")};
        } else if (w.size() == 3 && w[1] == "item") {
            r = namedItem(w[2]);
        } else if (w.size() == 3 && w[1] == "aru") {
            r = {kRewardAru, toInt(w[2], 0, 100000000, "aru"), 0};
        } else if (w.size() == 3 && w[1] == "skill") {
            r = {kRewardSkill, 1, toInt(w[2], 0, 1000, "skill")};
        } else {
            fail("expected: reward item NAME | reward item SLOT ICON | reward aru AMOUNT | reward skill INDEX");
        }
        if (int32_t(block_.talk.rewards.size()) == kMaxTalkRewards) fail("too many rewards");
        block_.talk.rewards.push_back(r);
    }

    // A whole item by its name in the item table, into the first slot of the
    // bag or book it belongs to (the game moves it on when that one is taken).
    TalkReward namedItem(const std::string& name) {
        if (!items_) fail("reward item " + name + ": no item table to look the name up in");
        int kind = 0;
        int32_t index = -1;
        if (!items_->find(cp949Of(name), kind, index))
            fail("reward item " + name + ": no item of that name in the item table");
        const int32_t first = kind == kKindWeapon   ? kSlotWeaponBagFirst
                              : kind == kKindEnergy ? kSlotEnergyBagFirst
                                                    : kSlotSkillBookFirst;
        return {kRewardWholeItem, first, itemCode(kind, index)};
    }

    void check(const std::vector<std::string>& w) {
        TalkCondition& c = block_.condition;
        size_t i = 3;
        if (w.size() >= 4 && w[2] == "aru") {
            c.kind = kConditionAru;
            c.a = toInt(w[3], 0, INT32_MAX, "aru");
            i = 4;
        } else if (w.size() >= 4 && w[2] == "level") {
            c.kind = kConditionLevel;
            c.a = toInt(w[3], 0, INT32_MAX, "level");
            i = 4;
        } else if (w.size() >= 6 && w[2] == "slot" && w[4] == "icon") {
            c.kind = kConditionSlotItem;
            c.a = toInt(w[3], 0, 52, "slot");
            c.b = toInt(w[5], -1, 1000, "icon");
            i = 6;
        } else {
            fail("expected: check NUMBER aru A|level L|slot S icon I yes TALK no TALK");
        }
        if (w.size() != i + 4 || w[i] != "yes" || w[i + 2] != "no")
            fail("expected: ... yes TALK no TALK");
        const int32_t number = toInt(w[1], 0, kMaxTalkNumber, "check number");
        if (!checks_.insert(number).second) fail("check " + w[1] + " is written twice");
        c.met = toInt(w[i + 1], 0, kMaxTalkNumber, "talk");
        c.unmet = toInt(w[i + 3], 0, kMaxTalkNumber, "talk");
        block_.hasCheck = true;
        block_.talk.kind = TalkFile::Kind::Condition;
        block_.talk.conditionNumber = number;
    }

    // Lines up to "end": the main text, with "[red]", "[green]" or "[blue]"
    // lines pulled out as coloured lines on their own text rows.
    void text() {
        static const std::map<std::string, int32_t> colours = {
            {"[blue]", kLineBlue}, {"[green]", kLineGreen}, {"[red]", kLineRed}};
        TalkFile& t = block_.talk;
        int row = 0;
        const size_t textLine = lineNo_;
        for (++lineNo_;; ++lineNo_) {
            if (lineNo_ >= lines_.size()) {
                lineNo_ = textLine;
                fail("text without end");
            }
            const std::string line = trim(lines_[lineNo_]);
            if (line == "end") break;
            if (row > 0) t.text += "\n";
            std::string shown = line;
            for (const auto& [marker, colour] : colours)
                if (line.rfind(marker, 0) == 0) {
                    TalkLine l;
                    l.text = cp949Of(trim(line.substr(marker.size())));
                    l.start = int32_t(t.text.size());
                    l.colour = colour;
                    l.y = kTalkRowHeight * row;
                    if (l.text.empty()) fail("an empty coloured line");
                    if (int32_t(l.text.size()) > kMaxTalkLineText) fail("coloured line too long");
                    if (l.text[0] >= '0' && l.text[0] <= '9') l.text.insert(0, " ");
                    if (int32_t(t.lines.size()) == kMaxTalkLines) fail("too many coloured lines");
                    t.lines.push_back(std::move(l));
                    shown.clear();
                }
            t.text += cp949Of(shown);
            ++row;
        }
        while (!t.text.empty() && t.text.back() == '\n') t.text.pop_back();
        if (t.text.empty()) t.text = " ";  // a box of coloured lines only still types
        if (t.text[0] >= '0' && t.text[0] <= '9') {
            t.text.insert(0, " ");
            for (TalkLine& l : t.lines) l.start += l.start > 0 ? 1 : 0;
        }
        if (int32_t(t.text.size()) > kMaxTalkText) fail("text too long");
        // Lines after the last row of text show once the whole text is out.
        for (TalkLine& l : t.lines) l.start = std::min(l.start, int32_t(t.text.size()));
    }

    void finishBlock() {
        if (!open_) return;
        open_ = false;
        const size_t saved = lineNo_;
        lineNo_ = blockLine_;
        Block& b = block_;
        const int kinds = int(b.hasText) + int(b.hasShop) + int(b.hasCheck);
        const std::string which = "talk " + std::to_string(b.number);
        if (kinds != 1) fail(which + ": a talk holds one of text, shop or check");
        if (b.rewardAction != !b.talk.rewards.empty())
            fail(which + ": 'action reward' and 'reward' lines go together");
        if (!b.hasText && (hasAction_ || b.talk.pageMode || b.talk.bottomMode))
            fail(which + ": buttons, pages and actions belong to a talk with text");
        if (b.rewardAction) b.talk.actionValue = int32_t(b.talk.rewards.size());
        std::string bytes;
        if (!talkFileText(b.talk, bytes)) fail(which + ": cannot be written");
        files_[talkFileName(b.state, b.number)] = bytes;
        if (b.hasShop) {
            if (b.state != 0) fail(which + ": a shop is named by its talk number alone (state 0)");
            files_[shopFileName(b.number)] = shopFileText(b.goods);
        }
        if (b.hasCheck) files_[conditionFileName(b.talk.conditionNumber)] = conditionFileText(b.condition);
        hasAction_ = false;
        lineNo_ = saved;
    }

    std::map<std::string, std::string>& files_;
    const ItemTables* items_;
    std::vector<std::string> lines_;
    size_t lineNo_ = 0, blockLine_ = 0;
    int32_t mapNumber_ = -1;
    std::vector<NpcRecord> npcs_;
    std::vector<std::string> names_;  // CP949, one per NPC, empty when unnamed
    bool open_ = false, hasAction_ = false;
    Block block_;
    std::set<std::pair<int32_t, int32_t>> talks_;
    std::set<int32_t> checks_;
    std::set<int32_t> maps_;
};

}  // namespace

bool compileTalkSources(const std::vector<TalkSource>& sources, std::map<std::string, std::string>& files,
                        std::string& error, const ItemTables* items) {
    std::map<std::string, std::string> out;
    Compiler compiler(out, items);
    try {
        for (const TalkSource& s : sources) compiler.source(s);
    } catch (const Failure& f) {
        error = f.message;
        return false;
    }
    files = std::move(out);
    return true;
}

}  // namespace velk
