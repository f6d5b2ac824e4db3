#include "widgets/notice_log.h"

#include <cstring>
#include <string>

#include "platform/cp949.h"

int32_t g_noticeLife[CNoticeLog::kLines] = {};
CNoticeLog* g_noticeLog = nullptr;

namespace {

constexpr int kRightEdge = 792;
constexpr uint32_t kOutline = 0xFF10141C;

}  // namespace

CNoticeLog::CNoticeLog(CDirect3D* deviceIn) : device(deviceIn) {}

CNoticeLog::~CNoticeLog() = default;

void CNoticeLog::init() {
    for (int i = 0; i < kLines; ++i) {
        lines[i][0] = '\0';
        ticks[i] = 0;
        g_noticeLife[i] = kLife;
    }
    font = std::make_unique<CD3dxFont>();
    font->create(device, "돋음", 15);
}

void CNoticeLog::add(const char* text) {
    for (int i = kLines - 1; i >= 1; --i) {
        std::memcpy(lines[i], lines[i - 1], kLineBytes);
        ticks[i] = ticks[i - 1];
        g_noticeLife[i] = g_noticeLife[i - 1];
    }
    std::string cut = velk::cutCp949(text ? text : "", kLineBytes - 1);
    std::memcpy(lines[0], cut.c_str(), cut.size() + 1);
    ticks[0] = 0;
    g_noticeLife[0] = kLife;
}

void CNoticeLog::draw() {
    for (int i = 0; i < kLines; ++i) {
        if (lines[i][0] == '\0') continue;
        if (++ticks[i] > 9) {
            ticks[i] = 0;
            if (g_noticeLife[i] > 0) --g_noticeLife[i];
        }
        if (g_noticeLife[i] <= 0) {
            lines[i][0] = '\0';
            g_noticeLife[i] = kLife;
            continue;
        }
        uint32_t argb = (colour & 0x00FFFFFFu) | (uint32_t(alphaForLife(g_noticeLife[i])) << 24);
        if (!font) continue;
        // Right-aligned so the longest notice still ends on screen, with a
        // dark ring that keeps it readable on light walls and skies.
        const int x = kRightEdge - font->measure(lines[i]);
        font->drawOutlined(x, 400 + 17 * i, argb, kOutline, lines[i]);
    }
}

void velk::addNotice(const std::string& utf8) {
    if (g_noticeLog) g_noticeLog->add(toCp949(utf8).c_str());
}
