#include "npc/talk_box.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "actors/boss.h"
#include "actors/pet.h"
#include "actors/player.h"
#include "core/effects.h"
#include "core/saturating.h"
#include "core/game_state.h"
#include "items/item_rules.h"
#include "items/item_tables.h"
#include "formats/npc_files.h"
#include "npc/reward_commit.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/input_state.h"
#include "platform/sound_bank.h"
#include "widgets/notice_log.h"
#include "world/field.h"

namespace {

constexpr int32_t kTextLeft = 10, kTextTop = 10, kTextWidth = 525, kTextHeight = 360;
constexpr int32_t kButtonWidth = 70, kButtonHeight = 22;
constexpr int32_t kBottomY = 225, kPageY = 170;
constexpr int32_t kDragSize = 256;
// The box is dragged no further than leaves this much of it on screen.
constexpr int32_t kKeepVisible = 20;
constexpr uint32_t kLineColours[] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000};
// The speaker's name tab: where it stands over the box and how its name looks.
constexpr int32_t kNameTabLeft = 12, kNameTabRaise = 18;
constexpr uint32_t kNameColour = 0xFFFFF4D6, kNameOutline = 0xFF3A2412;

void play(SoundBuffer EffectBuffers::*effect) { g_soundBank.play(&(g_effects.*effect)); }

bool conditionMet(const TalkCondition& c, const CPlayer& p) {
    switch (c.kind) {
    case velk::kConditionSlotItem:
        return c.a >= 0 && c.a < velk::kSlotCount && p.slots[size_t(c.a)].icon == c.b;
    case velk::kConditionLevel: return p.level >= c.a;
    case velk::kConditionAru: return p.aru >= c.a;
    default: return false;
    }
}

// The slot an item reward naming slot `named` goes into: that slot when it
// is free, else the first free slot of the bag or book it belongs to; -1
// when there is none, so the hero's own items are never written over.
int rewardSlot(const std::array<ItemSlot, velk::kSlotCount>& slots, int32_t named) {
    using namespace velk;
    if (slots[size_t(named)].icon == -1) return named;
    int first = named, end = named + 1;
    if (named == kSlotWornWeapon || (named >= kSlotWeaponBagFirst && named < kSlotEnergyBagFirst)) {
        first = kSlotWeaponBagFirst;
        end = kSlotEnergyBagFirst;
    } else if ((named >= kSlotQuickFirst && named < kSlotExtraFirst) ||
               (named >= kSlotEnergyBagFirst && named < kSlotSkillBookFirst)) {
        first = kSlotEnergyBagFirst;
        end = kSlotSkillBookFirst;
    } else if (named == kSlotWornSkill || named >= kSlotSkillBookFirst) {
        first = kSlotSkillBookFirst;
        end = kSlotCount;
    }
    for (int s = first; s < end; ++s)
        if (slots[size_t(s)].icon == -1) return s;
    return -1;
}

// The item a whole-item reward gives for item `code` (weapon index, energy
// index + 8, skill index + 52), with its picture and table entry; none when
// the code names no item.
std::optional<ItemSlot> wholeItem(int32_t code) {
    using namespace velk;
    if (code < kEnergyCodeBase) {
        if (const WeaponItem* w = g_itemTables.weapon(code)) return ItemSlot{1, w->icon, w->index};
    } else if (code < kSkillCodeBase) {
        if (const EnergyItem* e = g_itemTables.energyItem(code - kEnergyCodeBase)) return ItemSlot{1, e->icon, e->index};
    } else if (const SkillItem* k = g_itemTables.skill(code - kSkillCodeBase)) {
        return ItemSlot{1, k->icon, k->index};
    }
    return std::nullopt;
}

// What reward `r` puts into a slot of `slots`, or none: a picture (type 100,
// keeping the slot's table entry), or a whole item (type 103) unless it is a
// skill already known.
std::optional<ItemSlot> rewardedItem(const TalkReward& r, const std::array<ItemSlot, velk::kSlotCount>& slots) {
    if (r.value < 0 || r.value >= velk::kSlotCount) return std::nullopt;
    if (r.type == velk::kRewardItem) return ItemSlot{1, r.extra, -1};
    if (r.type != velk::kRewardWholeItem) return std::nullopt;
    const std::optional<ItemSlot> item = wholeItem(r.extra);
    if (item && r.extra >= velk::kSkillCodeBase && velk::knowsSkill(slots, item->itemId)) return std::nullopt;
    return item;
}

bool inside(int32_t mx, int32_t my, int32_t left, int32_t top, int32_t w, int32_t h) {
    return mx >= left && mx <= left + w && my >= top && my <= top + h;
}

}  // namespace

void CTalkBox::init(CDirect3D* device, CPlayer* player) {
    device_ = device;
    player_ = player;
    boxPicture_ = CPicture::loaded(device, "pic/talkbox.pic");
    for (size_t i = 0; i < buttons_.size(); ++i) {
        char name[48];
        std::snprintf(name, sizeof name, "pic/tk_bn_%zu.pic", i);
        buttons_[i] = CPicture::loaded(device, name);
    }
    font_.create(device, velk::toCp949("돋움체").c_str(), 18);
    nameTab_ = CPicture::loaded(device, "pic/tk_name.pic");
    nameFont_.create(device, {16, 14, 12, 11, 10});
}

bool CTalkBox::openFor(int32_t npc) {
    play(&EffectBuffers::open);
    lineShown.clear();
    shownBytes = 0;
    npcIndex = npc;
    g_field->quest.step = 0;
    const std::vector<int8_t>& states = g_field->quest.missionStates;
    const int state = npc >= 0 && size_t(npc) < states.size() ? states[size_t(npc)] : 0;
    if (readTalk(velk::talkFileName(state, talkNumber))) return true;
    open = 0;
    textLength = 0;
    lastTalkNumber = -1;
    return false;
}

bool CTalkBox::readTalk(const std::string& firstName) {
    std::string name = firstName;
    std::string chain = name;
    for (int steps = 0;; ++steps) {
        TalkFile file;
        if (!velk::loadTalkFile(name, file)) return false;
        if (file.kind == TalkFile::Kind::Text) {
            talk = std::move(file);
            textLength = int32_t(talk.text.size());
            lineShown.assign(talk.lines.size(), 0);
            return true;
        }
        if (file.kind == TalkFile::Kind::Shop) {
            talk = std::move(file);
            // A text length below 1 makes the box run the shop instead.
            textLength = kShopRunning;
            shop = std::make_unique<CShop>();
            shop->init(device_, player_, talk.shopKind, talkNumber);
            shop->onClosed = [this] { shopClosed(); };
            if (windows) windows->open(shop.get(), WindowLayer::Trade);
            return true;
        }
        if (steps == kMaxConditionSteps) {
            velk::reportBadFile(firstName, "conditions lead on past " + std::to_string(kMaxConditionSteps) +
                                               " files without reaching a text: " + chain);
            return false;
        }
        TalkCondition c;
        if (!velk::loadConditionFile(file.conditionNumber, c)) return false;
        talkNumber = conditionMet(c, *player_) ? c.met : c.unmet;
        name = velk::talkFileName(0, talkNumber);
        chain += " -> " + velk::conditionFileName(file.conditionNumber) + " -> " + name;
    }
}

std::vector<CTalkBox::Place> CTalkBox::places() const {
    std::vector<Place> out;
    if (talk.bottomMode == 0) out.push_back({kOkButton, kOk, 180, kBottomY});
    if (talk.bottomMode == 1) {
        out.push_back({kDeclineButton, kDecline, 108, kBottomY});
        out.push_back({kAcceptButton, kAccept, 180, kBottomY});
    }
    if (talk.pageMode == 1) out.push_back({kNextButton, kNext, 10, kPageY});
    if (talk.pageMode == 2) {
        out.push_back({kPreviousButton, kPrevious, 10, kPageY});
        out.push_back({kNextButton, kNext, 82, kPageY});
    }
    if (talk.pageMode == 3) out.push_back({kPreviousButton, kPrevious, 10, kPageY});
    return out;
}

void CTalkBox::update(const CInputState* in) {
    if (!open || textLength < 1) return;
    draw(in);
    if (shownBytes < textLength) ++shownBytes;
    if (in) input(*in);
}

void CTalkBox::shopClosed() {
    open = 0;
    shownBytes = 0;
    textLength = kShopRunning;
    lastTalkNumber = -2;
    if (windows) windows->close(this);
    shop.reset();
}

void CTalkBox::draw(const CInputState* in) {
    if (boxPicture_) boxPicture_->draw(float(x), float(y));
    if (!speaker.empty() && nameTab_ && !nameTab_->pixels.empty()) {
        // The tab sits over the box's top edge, the name centred on it.
        const int32_t tabX = x + kNameTabLeft, tabY = y - kNameTabRaise;
        nameTab_->draw(float(tabX), float(tabY));
        const FontRect box{tabX + 6, tabY + 3, tabX + int32_t(nameTab_->width) - 6, tabY + int32_t(nameTab_->height) - 3};
        nameFont_.draw(box, kNameColour, speaker, CFitFont::Align::Centre, kNameOutline);
    }
    const int32_t mx = in ? in->mouseX : -1, my = in ? in->mouseY : -1;
    const bool down = in && in->leftButton;
    for (const Place& p : places()) {
        int picture = p.picture;
        if (inside(mx, my, x + p.left, y + p.top, kButtonWidth, kButtonHeight)) picture += down ? 2 : 1;
        if (const auto& b = buttons_[size_t(picture)]) b->draw(float(x + p.left), float(y + p.top));
    }
    if (!font_.valid()) return;
    const int32_t left = x + kTextLeft, top = y + kTextTop;
    font_.draw(left, top, left + kTextWidth, top + kTextHeight, kTextColour, talk.text.data(), shownBytes);
    for (size_t i = 0; i < talk.lines.size(); ++i) {
        const TalkLine& line = talk.lines[i];
        if (line.start > shownBytes) continue;
        if (line.colour >= velk::kLineBlue && line.colour <= velk::kLineRed) {
            const int32_t lx = left + line.x, ly = top + line.y;
            font_.draw(lx, ly, lx + kTextWidth, ly + kTextHeight, kLineColours[line.colour - 1], line.text.data(),
                       lineShown[i]);
        }
        if (lineShown[i] < int32_t(line.text.size())) ++lineShown[i];
    }
}

void CTalkBox::input(const CInputState& in) {
    const int32_t mx = in.mouseX, my = in.mouseY;
    const bool down = in.leftButton != 0;
    Button under = kNoButton;
    for (const Place& p : places())
        if (inside(mx, my, x + p.left, y + p.top, kButtonWidth, kButtonHeight)) under = p.button;
    if (under != hovered_ && under != kNoButton)
        play(under >= kPreviousButton ? &EffectBuffers::btn1 : &EffectBuffers::btn);
    hovered_ = under;
    if (down) {
        // A press arms the button under it; the box moves only when no
        // button was pressed.
        if (!wasDown_ && under != kNoButton) armed = under;
        if (armed == kNoButton && inside(mx, my, x, y, kDragSize, kDragSize)) {
            x = std::clamp(x + in.mouseState.dx, kKeepVisible - kDragSize, 800 - kKeepVisible);
            y = std::clamp(y + in.mouseState.dy, kKeepVisible - kDragSize, 600 - kKeepVisible);
        }
        wasDown_ = true;
        return;
    }
    wasDown_ = false;
    // A release counts only over the button that was pressed.
    const Button released = Button(armed);
    armed = kNoButton;
    if (released != kNoButton && released == under) click(released);
}

void CTalkBox::click(Button button) {
    switch (button) {
    case kOkButton:
    case kAcceptButton:
        play(&EffectBuffers::btn0);
        close();
        act();
        break;
    case kDeclineButton:
        play(&EffectBuffers::btn0);
        close();
        break;
    case kPreviousButton:
    case kNextButton:
        play(&EffectBuffers::btn2);
        // The box shows the page's talk; the last talk number stays the
        // clicked NPC's own.
        talkNumber += button == kNextButton ? 1 : -1;
        openFor(npcIndex);
        break;
    case kNoButton: break;
    }
}

void CTalkBox::close() {
    open = 0;
    shownBytes = 0;
    lastTalkNumber = -1;
}

void CTalkBox::act() {
    const int32_t code = talk.actionCode, value = talk.actionValue;
    if (code <= velk::kActionLastFeeTravel) {
        if (charge(value)) travel(code, 0);
    } else if (code == velk::kActionPet) {
        if (!charge(value)) return;
        play(&EffectBuffers::gay);
        player_->slots[velk::kSlotPet].icon = CPet::kPetPicture;
        player_->pet = std::make_unique<CPet>();
        player_->pet->init(device_);
        player_->pet->place(*player_);
    } else if (code == velk::kActionTravel) {
        travel(value, 0);
    } else if (code == velk::kActionQuest) {
        g_field->quest.npcMissionInfo = (g_field->quest.npcMissionInfo & 0xFFF) | ((npcIndex & 0xFFF) << 12);
        travel(value, 1);
    } else if (code >= velk::kActionRewards) {
        giveRewards();
    }
}

bool CTalkBox::charge(int32_t price) {
    if (player_->aru >= price) {
        player_->aru = velk::saturatingAdd(player_->aru, -int64_t(price));
        return true;
    }
    // Never let the purse go below zero: refuse and say how much is missing.
    play(&EffectBuffers::no);
    char text[64];
    std::snprintf(text, sizeof text, "아루가 부족합니다.(%d)", price - player_->aru);
    velk::addNotice(text);
    return false;
}

void CTalkBox::travel(int32_t map, int8_t questStep) {
    g_field->quest.step = questStep;
    g_field->mapNumber = map;
    GameState = kStateNextMap;
}

void CTalkBox::giveRewards() {
    // Items find their slots before anything is paid: with no room for one,
    // nothing is given and the mission stays open for the hero to come back.
    const PlayerRecord before = *player_;
    std::array<ItemSlot, velk::kSlotCount> slots = player_->slots;
    std::vector<bool> placed(talk.rewards.size(), false);
    for (size_t i = 0; i < talk.rewards.size(); ++i) {
        const TalkReward& r = talk.rewards[i];
        std::optional<ItemSlot> item = rewardedItem(r, slots);
        if (!item) continue;
        const int s = rewardSlot(slots, r.value);
        if (s < 0) {
            play(&EffectBuffers::no);
            velk::addNotice("가방에 빈 칸이 없습니다.");
            return;
        }
        if (item->itemId == -1) item->itemId = slots[size_t(s)].itemId;  // a picture keeps the slot's entry
        slots[size_t(s)] = *item;
        placed[i] = true;
    }
    player_->slots = slots;
    for (size_t i = 0; i < talk.rewards.size(); ++i) {
        const TalkReward& r = talk.rewards[i];
        if (r.type == velk::kRewardItem || (r.type == velk::kRewardWholeItem && placed[i])) {
            velk::addNotice("아이템을 받았습니다.");
        } else if (r.type == velk::kRewardWholeItem && r.extra >= velk::kSkillCodeBase) {
            velk::addNotice("이미 가진 기술입니다.");
        } else if (r.type == velk::kRewardAru) {
            player_->aru = velk::saturatingAdd(player_->aru, r.value);
            velk::addNotice("아루를 받았습니다.(+" + std::to_string(r.value) + ")");
        } else if (r.type == velk::kRewardSkill) {
            const SkillItem* skill = r.value == 1 ? g_itemTables.skill(r.extra) : nullptr;
            if (skill && velk::knowsSkill(player_->slots, skill->index)) {
                velk::addNotice("이미 가진 기술입니다.");
                continue;
            }
            for (int s = velk::kSlotSkillBookFirst; skill && s < velk::kSlotCount; ++s) {
                ItemSlot& slot = player_->slots[size_t(s)];
                if (slot.icon != -1) continue;
                slot.icon = skill->icon;
                slot.itemId = skill->index;
                break;
            }
            velk::addNotice("아이템을 받았습니다.");
        }
    }
    std::vector<int8_t>& states = g_field->quest.missionStates;
    std::vector<int8_t> after = states;
    if (npcIndex >= 0 && size_t(npcIndex) < after.size()) after[size_t(npcIndex)] = 2;
    // The reward is kept only when the hero and the states are both saved.
    if (!velk::commitReward(*player_, g_field->mapNumber, after)) {
        player_->restoreRecord(before);
        return;
    }
    states = after;
    play(&EffectBuffers::gay);
}
