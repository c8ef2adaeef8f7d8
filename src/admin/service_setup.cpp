#include "admin/service_setup.h"

#include <shellapi.h>

#include <string>

#include "frame/install_folder.h"
#include "frame/server_name.h"
#include "ui/message_box.h"

namespace admin {
namespace {

constexpr char kServiceProgram[] = "Service.exe";
constexpr char kRunKey[] = "software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Service.exe ends within moments; the page waits no longer than this.
constexpr DWORD kServiceWaitMs = 30000;

bool platformHasServices() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string runningProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

void writeServiceIni(const std::string& command) {
    std::string ini = util::installFile("\\Service.ini");
    WritePrivateProfileStringA("main", "name", util::kServerName, ini.c_str());
    WritePrivateProfileStringA("main", "command", command.c_str(), ini.c_str());
    WritePrivateProfileStringA("main", "gui", "y", ini.c_str());
}

// Runs Service.exe hidden and waits for it; false when it could not start.
bool runServiceProgram(HWND owner, const char* parameter) {
    std::string program = util::installFile(std::string("\\") + kServiceProgram);
    std::string folder = util::installFolder();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "open";
    info.lpFile = program.c_str();
    info.lpParameters = parameter;
    info.lpDirectory = folder.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExA(&info)) return false;
    if (info.hProcess) {
        WaitForSingleObject(info.hProcess, kServiceWaitMs);
        CloseHandle(info.hProcess);
    }
    return true;
}

void removeRunValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, util::kServerRunValue);
    RegCloseKey(key);
}

}  // namespace

void requestService(HWND owner, ServiceRequest request) {
    if (!platformHasServices()) {
        ui::showError(owner, "Your version of windows does not support services");
        return;
    }
    bool install = request == ServiceRequest::Install;
    writeServiceIni(install ? runningProgram() + " -s" : runningProgram());
    // Without Service.exe nothing changed: the server keeps starting as it did.
    if (!runServiceProgram(owner, install ? "/i" : "/u")) {
        ui::showError(owner, "Service.exe could not be started from the mail server's folder");
        return;
    }
    if (install) removeRunValue();
    ui::messageBox(owner,
                   std::string(util::kServerName) + (install ? " will start as a service the next time you reboot"
                                                             : " has been removed from the service list"),
                   "Information", MB_OK | MB_ICONINFORMATION);
}

}  // namespace admin
