#include "app/state_dump_items.h"

#include <vector>

#include "game/world.h"
#include "items/inventory.h"
#include "ui/interface.h"

namespace velk {

namespace {

std::string field(const char* name, long value) {
    return std::string("\"") + name + "\": " + std::to_string(value);
}

std::string join(const std::vector<std::string>& parts, const char* open, const char* close) {
    std::string out = open;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? ", " : "") + parts[i];
    return out + close;
}

std::string nodes(const std::forward_list<DropNode>& list,
                  std::string (*one)(const DropNode&)) {
    std::vector<std::string> parts;
    for (const DropNode& n : list) parts.push_back(one(n));
    return join(parts, "[", "]");
}

std::string openBox() {
    if (g_interface && g_interface->gameMenu && g_interface->gameMenu->quitQuestion)
        return "\"quit\"";
    if (g_inventory && g_inventory->discardBox) return "\"discard\"";
    if (g_world && g_world->player && g_world->player->deathBox) return "\"death\"";
    return "null";
}

}  // namespace

std::string uiJson() {
    std::vector<std::string> parts;
    if (const CInventory* inv = g_inventory) {
        parts.push_back(field("inventoryTab", inv->tab));
        parts.push_back(field("selectedRow", inv->selectedRow));
        parts.push_back(field("scroll", inv->scroll));
    }
    const CGameMenu* menu = g_interface ? g_interface->gameMenu.get() : nullptr;
    parts.push_back(std::string("\"menuOpen\": ") + (menu ? "true" : "false"));
    const CStatusWindow* status = menu ? menu->statusWindow.get() : nullptr;
    if (status)
        parts.push_back("\"statusWindow\": " + join({field("panelState", status->panelState),
                                                     field("slideSteps", status->slideSteps),
                                                     field("slideOffset", status->slideOffset)},
                                                    "{", "}"));
    else
        parts.push_back("\"statusWindow\": null");
    parts.push_back("\"messageBox\": " + openBox());
    if (g_interface) parts.push_back(field("hoverMode", g_interface->hoverMode));
    const bool infoShown = (g_interface && g_interface->hoverMode == 2) ||
                           (g_inventory && g_inventory->infoVisible == 1);
    if (infoShown && g_inventory) {
        const CItemInfoBox& box = *g_inventory->infoBox;
        parts.push_back("\"infoBox\": " + join({field("x", box.x), field("y", box.y),
                                                field("width", box.width),
                                                field("height", box.height),
                                                field("code", box.code)},
                                               "{", "}"));
    }
    return join(parts, "{", "}");
}

std::string dropsJson() {
    if (!g_world || !g_inventory) return "null";
    const CDropList& d = g_world->drops;
    const std::string coins = nodes(d.coins, [](const DropNode& n) {
        return join({field("x", n.x), field("y", n.y), field("value", n.value),
                     field("action", n.action)},
                    "{", "}");
    });
    const std::string items = nodes(d.items, [](const DropNode& n) {
        return join({field("x", n.x), field("y", n.y), field("icon", n.action),
                     field("count", n.frameCounter), field("kind", n.value),
                     field("itemId", n.itemId)},
                    "{", "}");
    });
    const std::string effects = nodes(d.effects, [](const DropNode& n) {
        return join({field("x", n.x), field("y", n.y), field("action", n.action),
                     field("frame", n.frameCounter)},
                    "{", "}");
    });
    return "{\"coins\": " + coins + ", \"items\": " + items + ", \"effects\": " + effects + "}";
}

}  // namespace velk
