#include "items/save_alert.h"

#include <cstdio>

#include "platform/cp949.h"
#include "widgets/notice_log.h"

namespace velk {

namespace {
bool g_failed = false;
bool g_alertWaiting = false;
std::string g_line0, g_line1;
}  // namespace

void tellSaveFailure(const std::string& detail, const std::string& line0, const std::string& line1) {
    std::fprintf(stderr, "velk: %s\n", detail.c_str());
    g_failed = true;
    g_alertWaiting = true;
    g_line0 = toCp949(line0.empty() ? "저장하지 못했습니다." : line0);
    g_line1 = toCp949(line1.empty() ? "저장 폴더를 확인하세요." : line1);
    if (g_noticeLog) g_noticeLog->add(g_line0.c_str());
}

bool saveFailed() { return g_failed; }

bool takeSaveAlert(std::string& line0, std::string& line1) {
    if (!g_alertWaiting) return false;
    g_alertWaiting = false;
    line0 = g_line0;
    line1 = g_line1;
    return true;
}

void resetSaveFailures() {
    g_failed = false;
    g_alertWaiting = false;
}

}  // namespace velk
