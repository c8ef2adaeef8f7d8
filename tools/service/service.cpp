// Service.exe: a stand-in for the program that installs the mail server as
// a service. It installs nothing: it reads section [main] of Service.ini
// beside it (name, command, gui) and appends one line to Service.log beside
// it for what it was asked:
//   /i name=<name> command=<command> gui=<gui>
//   /u name=<name> command=<command> gui=<gui>
// Any other parameter is logged as "unknown <parameters>" and ends with
// exit code 2; /i and /u end with 0.
#include <windows.h>

#include <string>

namespace {

std::string folderOfProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string setting(const std::string& ini, const char* key) {
    char value[1024] = {};
    GetPrivateProfileStringA("main", key, "", value, sizeof value, ini.c_str());
    return value;
}

void logLine(const std::string& folder, const std::string& line) {
    HANDLE log = CreateFileA((folder + "\\Service.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\r\n";
    DWORD put = 0;
    WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
    CloseHandle(log);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR parameters, int) {
    std::string folder = folderOfProgram();
    std::string asked = parameters ? parameters : "";
    while (!asked.empty() && asked.back() == ' ') asked.pop_back();
    if (asked != "/i" && asked != "/u") {
        logLine(folder, "unknown " + asked);
        return 2;
    }
    std::string ini = folder + "\\Service.ini";
    logLine(folder, asked + " name=" + setting(ini, "name") + " command=" + setting(ini, "command") +
                        " gui=" + setting(ini, "gui"));
    return 0;
}
