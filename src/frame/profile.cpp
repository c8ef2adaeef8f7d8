#include "frame/profile.h"

#include <windows.h>

#include <vector>

#include "frame/install_folder.h"

namespace util {

std::string profileString(const char* section, const char* key, const char* fallback, int bufferSize) {
    std::vector<char> buffer(static_cast<std::size_t>(bufferSize > 1 ? bufferSize : 2));
    GetPrivateProfileStringA(section, key, fallback ? fallback : "", buffer.data(),
                             static_cast<DWORD>(buffer.size()), configPath().c_str());
    return buffer.data();
}

int profileInt(const char* section, const char* key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, configPath().c_str()));
}

bool writeProfileString(const char* section, const char* key, const std::string& value) {
    return WritePrivateProfileStringA(section, key, value.c_str(), configPath().c_str()) != 0;
}

bool writeProfileInt(const char* section, const char* key, int value) {
    return writeProfileString(section, key, std::to_string(value));
}

bool deleteProfileKey(const char* section, const char* key) {
    return WritePrivateProfileStringA(section, key, nullptr, configPath().c_str()) != 0;
}

bool deleteProfileSection(const char* section) {
    return WritePrivateProfileStringA(section, nullptr, nullptr, configPath().c_str()) != 0;
}

int read(const cfg::IntKey& key, int number) {
    cfg::Place at = cfg::place(key, number);
    return profileInt(at.section.c_str(), at.key.c_str(), key.fallback);
}

std::string read(const cfg::TextKey& key, int number) {
    cfg::Place at = cfg::place(key, number);
    return profileString(at.section.c_str(), at.key.c_str(), key.fallback, key.size);
}

bool write(const cfg::IntKey& key, int value, int number) {
    cfg::Place at = cfg::place(key, number);
    return writeProfileInt(at.section.c_str(), at.key.c_str(), value);
}

bool write(const cfg::TextKey& key, const std::string& value, int number) {
    cfg::Place at = cfg::place(key, number);
    return writeProfileString(at.section.c_str(), at.key.c_str(), value);
}

bool erase(const cfg::IntKey& key, int number) {
    cfg::Place at = cfg::place(key, number);
    return deleteProfileKey(at.section.c_str(), at.key.c_str());
}

bool erase(const cfg::TextKey& key, int number) {
    cfg::Place at = cfg::place(key, number);
    return deleteProfileKey(at.section.c_str(), at.key.c_str());
}

bool eraseSection(const char* section, int number) {
    return deleteProfileSection(cfg::numbered(section, number).c_str());
}

int read(const cfg::IntKey& key, const std::string& section) {
    return profileInt(section.c_str(), key.key, key.fallback);
}

std::string read(const cfg::TextKey& key, const std::string& section) {
    return profileString(section.c_str(), key.key, key.fallback, key.size);
}

bool write(const cfg::IntKey& key, int value, const std::string& section) {
    return writeProfileInt(section.c_str(), key.key, value);
}

bool write(const cfg::TextKey& key, const std::string& value, const std::string& section) {
    return writeProfileString(section.c_str(), key.key, value);
}

std::vector<std::string> readFamily(const cfg::TextKey& key, int limit) {
    std::vector<std::string> values;
    for (int i = 0; i < limit; ++i) {
        std::string value = read(key, i);
        if (value.empty()) break;
        values.push_back(std::move(value));
    }
    return values;
}

}  // namespace util
