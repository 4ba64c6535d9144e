#include "tests/e2e/driver/Registry.h"

namespace e2e {

namespace {
// Closes a key at the end of a scope.
struct OpenKey {
    HKEY key = NULL;
    ~OpenKey()
    {
        if (key)
            RegCloseKey(key);
    }
};
}  // namespace

bool RegistryKey::Exists() const
{
    OpenKey k;
    return RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_READ, &k.key) == ERROR_SUCCESS;
}

bool RegistryKey::Delete() const
{
    const LONG result = RegDeleteKeyA(m_root, m_path.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND || !Exists();
}

std::vector<std::string> RegistryKey::ValueNames() const
{
    std::vector<std::string> names;
    OpenKey k;
    if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_READ, &k.key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumValueA(k.key, i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

std::optional<std::pair<DWORD, std::vector<BYTE>>> RegistryKey::Raw(const std::string& name) const
{
    OpenKey k;
    if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_READ, &k.key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(k.key, name.c_str(), NULL, &type, NULL, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> data(size);
    if (RegQueryValueExA(k.key, name.c_str(), NULL, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return std::make_pair(type, data);
}

std::optional<DWORD> RegistryKey::Dword(const std::string& name) const
{
    const auto raw = Raw(name);
    if (!raw || raw->second.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value;
    memcpy(&value, raw->second.data(), sizeof value);
    return value;
}

bool RegistryKey::SetDword(const std::string& name, DWORD value) const
{
    OpenKey k;
    return RegCreateKeyExA(m_root, m_path.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &k.key, NULL) == ERROR_SUCCESS &&
           RegSetValueExA(k.key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
               ERROR_SUCCESS;
}

bool RegistryKey::SetString(const std::string& name, const std::string& value, DWORD type) const
{
    OpenKey k;
    return RegCreateKeyExA(m_root, m_path.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &k.key, NULL) == ERROR_SUCCESS &&
           RegSetValueExA(k.key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::SetRaw(const std::string& name, DWORD type, const std::vector<BYTE>& data) const
{
    OpenKey k;
    return RegCreateKeyExA(m_root, m_path.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &k.key, NULL) == ERROR_SUCCESS &&
           RegSetValueExA(k.key, name.c_str(), 0, type, data.empty() ? NULL : data.data(),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

}  // namespace e2e
