#include "support/run_velk.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "platform/cp949.h"

namespace velk {

namespace {

std::string quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// With VELK_E2E_ARCHIVE set, every run's state dump and screenshots are
// copied to DIR/<suite>.<test>.<run>/, so the runs of two builds can be
// compared file by file (a refactor must leave them byte-identical).
void archiveRun(const std::string& dumpPath, const std::vector<std::string>& args, bool dumpState) {
    const char* root = std::getenv("VELK_E2E_ARCHIVE");
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!root || !*root || !test) return;
    static std::string lastTest;
    static int runIndex = 0;
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name)
        if (c == '/') c = '_';
    runIndex = name == lastTest ? runIndex + 1 : 0;
    lastTest = name;
    const std::filesystem::path dir = std::filesystem::path(root) / (name + "." + std::to_string(runIndex));
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (dumpState) std::filesystem::copy_file(dumpPath, dir / "state.json",
                                              std::filesystem::copy_options::overwrite_existing, ec);
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] != "--screenshot") continue;
        const std::string& spec = args[i + 1];
        const size_t colon = spec.find(':');
        if (colon == std::string::npos) continue;
        const std::filesystem::path shot(spec.substr(colon + 1));
        std::filesystem::copy_file(shot, dir / (spec.substr(0, colon) + "-" + shot.filename().string()),
                                   std::filesystem::copy_options::overwrite_existing, ec);
    }
}

std::string binaryDir() {
    const char* env = std::getenv("VELK_BIN");
    return env ? env : VELK_BINARY_DIR;
}

}  // namespace

std::string wearFromBagScript(int rowY) {
    return "0 mouse 340 530\n2 button left down\n3 button left up\n5 mouse 290 " + std::to_string(rowY) +
           "\n6 button left down\n7 button left up\n8 button right down\n9 button right up\n";
}

std::string velkBinary() { return binaryDir() + "/velk"; }
std::string demoDataDir() { return binaryDir() + "/data"; }

VelkRun runVelk(const std::string& workDir, const std::vector<std::string>& args,
                const std::string& script, bool dumpState) {
    // Each run plays a fresh copy of the demo world, so saves written by
    // one test never leak into another.
    std::string data = workDir + "/data";
    std::error_code ec;
    if (!std::filesystem::exists(data, ec))
        std::filesystem::copy(demoDataDir(), data, std::filesystem::copy_options::recursive, ec);
    // The run's own settings and save folders, so a developer's controls
    // never change a test; the save stays in the copied world as before.
    std::string cmd = "XDG_CONFIG_HOME=" + quote(workDir + "/config") + " XDG_DATA_HOME=" +
                      quote(workDir + "/share") + " " + quote(velkBinary()) +
                      " --headless --data " + quote(data) + " --save-dir " + quote(data);
    if (!script.empty()) {
        std::string scriptPath = workDir + "/script.txt";
        std::ofstream(scriptPath) << script;
        cmd += " --script " + quote(scriptPath);
    }
    std::string dumpPath = workDir + "/state.json";
    if (dumpState) cmd += " --dump-state " + quote(dumpPath);
    for (const std::string& a : args) cmd += " " + quote(a);
    cmd += " 2>&1";

    VelkRun run;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return run;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) run.output.append(buf, n);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (dumpState) run.state = readText(dumpPath);
    archiveRun(dumpPath, args, dumpState);
    return run;
}

long jsonNumber(const std::string& json, const std::string& key) {
    size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos) return -999999;
    return std::strtol(json.c_str() + at + key.size() + 3, nullptr, 10);
}

std::string jsonArray(const std::string& json, const std::string& key) {
    size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos) return "";
    size_t open = json.find('[', at), close = json.find(']', open);
    if (open == std::string::npos || close == std::string::npos) return "";
    return json.substr(open, close - open + 1);
}

long jsonNumberIn(const std::string& json, const std::string& object, const std::string& key) {
    size_t at = json.find("\"" + object + "\":");
    size_t open = at == std::string::npos ? at : json.find('{', at);
    if (open == std::string::npos) return -999999;
    size_t close = open;
    for (int depth = 0; close < json.size(); ++close) {
        if (json[close] == '{') ++depth;
        if (json[close] == '}' && --depth == 0) break;
    }
    return jsonNumber(json.substr(open, close - open + 1), key);
}

std::array<long, 3> jsonSlot(const std::string& json, int n) {
    size_t at = json.find("\"slots\": [") + 10;
    for (int i = 0; i < n; ++i) at = json.find('[', json.find(']', at + 1));
    at = json.find('[', at);
    std::array<long, 3> s{};
    std::sscanf(json.c_str() + at, "[%ld, %ld, %ld]", &s[0], &s[1], &s[2]);
    return s;
}

SaveRecord startingHero() {
    SaveRecord r;
    r.name = toCp949("벨크");
    r.hp = 100;
    r.mp = 50;
    r.hpStat = 10;
    r.mpStat = 5;
    r.attackStat = 6;
    r.defenceStat = 4;
    r.skillStat = 3;
    r.slots[0] = {1, 6, 0};  // the fist
    return r;
}

}  // namespace velk
