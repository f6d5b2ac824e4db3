#include "items/item_info_box.h"

#include <vector>

#include "items/item_pack.h"
#include "items/item_tables.h"
#include "platform/cp949.h"
#include "platform/direct3d.h"
#include "platform/files.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
// Nearly opaque: the box is read over bright backdrops.
constexpr int kTranslucency = 225;
constexpr int32_t kScreenWidth = 800;
constexpr int32_t kHudTop = 500;

}  // namespace

CItemInfoBox::~CItemInfoBox() = default;

void CItemInfoBox::init(CDirect3D* deviceIn) {
    device = deviceIn;
    background = CPicture::loaded(device, "pic/info.pic");
    frame.init(device);
    detailFont = std::make_unique<CD3dxFont>();
    detailFont->create(device, "System", 17);
    nameFont = std::make_unique<CD3dxFont>();
    nameFont->create(device, "System", 25);
}

void CItemInfoBox::loadDescription(int kindIn) {
    const int32_t index = velk::itemIndexFromCode(kindIn, code);
    const std::string name = velk::itemDescriptionFileName(kindIn, index);
    std::vector<uint8_t> bytes;
    velk::TextBoxFile text;
    std::string error = "missing";
    ++loads;
    if (!velk::readDataFile(name, bytes) ||
        !velk::parseItemDescription(bytes.data(), bytes.size(), text, &error))
        velk::reportBadFile(name, error);
    if (bytes.empty()) {
        text = {};
        text.width = kFallbackWidth;
        text.height = kFallbackHeight;
    }
    width = text.width;
    height = text.height;
    lines = std::move(text.lines);
    lineCount = int32_t(lines.size());
}

void CItemInfoBox::show(int32_t xIn, int32_t yIn, int32_t iconIn, int32_t codeIn, int kindIn) {
    if (!loadedOnce_ || codeIn != code) {
        loadedOnce_ = true;
        kind = uint8_t(kindIn);
        icon = iconIn;
        code = codeIn;
        loadDescription(kindIn);
    }
    x = xIn;
    y = yIn;
    if (x + width > kScreenWidth) x = kScreenWidth - width;
    if (y + height > kHudTop) y = kHudTop - height;
}

void CItemInfoBox::draw(const CItemPack* pack, int32_t heroLevel) {
    if (!loadedOnce_) return;
    if (device) device->blendOn(kTranslucency);
    background->draw(float(x), float(y), float(width), float(height));
    if (device) device->blendOff();
    frame.draw(x, y, width, height);
    if (pack) pack->drawIcon(float(x + 5), float(y + 5), icon);

    const int kindValue = int(int8_t(kind));
    const int32_t index = velk::itemIndexFromCode(kindValue, code);
    auto write = [](CD3dxFont* font, int left, int top, uint32_t colour, const std::string& s) {
        if (font) font->draw(left, top, left + 400, top + 30, colour, s.c_str());
    };
    // A label and its number, as "%d" writes it.
    auto format = [](const char* utf8Label, int32_t value) {
        return velk::toCp949(utf8Label) + std::to_string(value);
    };
    write(nameFont.get(), x + 45, y + 5, kWhite, g_itemTables.name(kindValue, index));
    if (const WeaponItem* w = kindValue == velk::kKindWeapon ? g_itemTables.weapon(index) : nullptr) {
        write(detailFont.get(), x + 45, y + 45, heroLevel < w->requiredLevel ? kRed : kWhite,
              format("착용레벨 : ", w->requiredLevel));
        write(detailFont.get(), x + 45, y + 63, kWhite, format("공격력   : ", w->attack));
    } else if (const SkillItem* s =
                   kindValue == velk::kKindSkill ? g_itemTables.skill(index) : nullptr) {
        write(detailFont.get(), x + 45, y + 35, kWhite,
              velk::toCp949(s->skillKind == 0 ? "이동속도 스킬" : "공격 스킬"));
        write(detailFont.get(), x + 45, y + 53, kWhite,
              s->skillKind == 0 ? velk::toCp949("기본지속시간: 1분")
                                : format("기본공격력 : ", s->baseAttack));
        write(detailFont.get(), x + 45, y + 71, kWhite, format("소요 MP : ", s->mpCost));
    } else if (const EnergyItem* e =
                   kindValue == velk::kKindEnergy ? g_itemTables.energyItem(index) : nullptr) {
        write(detailFont.get(), x + 40, y + 45, kWhite, format("HP회복력 : ", e->hpRecovery));
        write(detailFont.get(), x + 40, y + 63, kWhite, format("MP회복력 : ", e->mpRecovery));
    }
    for (size_t i = 0; i < lines.size(); ++i)
        write(detailFont.get(), x + 10, y + 90 + 20 * int(i), kWhite, lines[i]);
}
