// The cost of one paced play frame in the town with the weapon shop open
// and the pointer resting on a good (its information box showing), against
// the same town frame without the shop and the 60 ms pace.
//
//   bench_shop_frame [DATA_DIR]     (default: the build's demo world)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "game/world.h"
#include "npc/npc.h"
#include "play_start.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"

namespace {

constexpr int kFrames = 600;
constexpr int kSmithTalk = 10;
// The pointer on the shop's first goods row.
constexpr int kGoodsRowX = 330, kGoodsRowY = 237;

struct Result {
    double medianMs;
    double p95Ms;
    bool shopShown;
};

Result measure(const std::string& data, bool shop) {
    velk::HeadlessBackend backend;
    velk::Options options;
    options.skipTitle = true;
    CGameApp app(&backend, options);
    bench::startPlay(app, backend, data, "bench_shop_frame");
    CTalkBox& box = *g_world->npcs->talkBox;
    if (shop) {
        box.talkNumber = kSmithTalk;
        if (box.openFor(0)) {
            box.open = 1;
            box.lastTalkNumber = kSmithTalk;
        }
    }
    backend.setMouse(kGoodsRowX, kGoodsRowY);
    std::vector<double> ms;
    for (int i = 0; i < kFrames; ++i) {
        backend.pumpEvents();
        const auto t0 = std::chrono::steady_clock::now();
        app.frame();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    const bool shown = box.shop && box.shop->infoShown == 1;
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100], shown};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string source = argc > 1 ? argv[1] : std::string(VELK_BINARY_DIR) + "/data";
    // Play a copy: the run saves at the end.
    const std::string data = bench::copyData(source);

    const Result town = measure(data, false);
    const Result shop = measure(data, true);
    std::filesystem::remove_all(data);
    std::printf("paced town frame, %d frames:\n", kFrames);
    std::printf("  without the shop:                       median %.3f ms, 95th percentile %.3f ms\n",
                town.medianMs, town.p95Ms);
    std::printf("  weapon shop open, information box shown: median %.3f ms, 95th percentile %.3f ms "
                "= %.1f%% of the 60 ms pace\n",
                shop.medianMs, shop.p95Ms, 100.0 * shop.medianMs / 60.0);
    if (!shop.shopShown) {
        std::fprintf(stderr, "bench_shop_frame: the shop or its information box did not show\n");
        return 1;
    }
    return 0;
}
